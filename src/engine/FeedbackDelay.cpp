#include "engine/FeedbackDelay.h"

#include <cmath>

namespace halvo
{

namespace
{

// Limits to [-2, 2]; a NaN becomes 0 so that it cannot circulate in the feedback loop.
float limitToTwo(float x) noexcept
{
    if (x > 2.0f)
        return 2.0f;
    if (x < -2.0f)
        return -2.0f;
    return x == x ? x : 0.0f;
}

// Echo tails decay towards the denormal range; below 1e-30 they are far under any audible level,
// so they are stored as silence and never slow the loop down.
float withoutDenormal(float x) noexcept
{
    return std::fabs(x) < 1e-30f ? 0.0f : x;
}

} // namespace

FeedbackDelay::FeedbackDelay() : buffer(std::make_unique<float[]>(bufferSize)) {}

void FeedbackDelay::setDelaySamples(float samples) noexcept
{
    // Only a NaN is meaningless here; an infinite length is held at the limit like any long one.
    if (std::isnan(samples))
        return;
    float limited = samples;
    if (limited < static_cast<float>(minDelay))
        limited = static_cast<float>(minDelay);
    else if (limited > static_cast<float>(maxDelay))
        limited = static_cast<float>(maxDelay);
    targetDelay.store(limited, std::memory_order_relaxed);
}

void FeedbackDelay::setFeedback(float gain) noexcept
{
    if (std::isfinite(gain))
        targetFeedback.store(gain, std::memory_order_relaxed);
}

void FeedbackDelay::process(const float* in, float* out, int numSamples) noexcept
{
    const float feedbackTarget = targetFeedback.load(std::memory_order_relaxed);
    const float delayTarget = targetDelay.load(std::memory_order_relaxed);
    float* const line = buffer.get();

    for (int i = 0; i < numSamples; ++i)
    {
        const float s = in[i];

        if (++writeIndex >= bufferSize)
            writeIndex -= bufferSize;

        if (std::fabs(static_cast<double>(currentFeedback - feedbackTarget)) > 1e-6)
            currentFeedback = static_cast<float>(static_cast<double>(currentFeedback) * 0.995 +
                                                 static_cast<double>(feedbackTarget) * 0.005);
        else
            currentFeedback = feedbackTarget;

        // The feedback factor scales everything entering the line, the dry input included.
        line[writeIndex] = withoutDenormal(currentFeedback * limitToTwo(s + lastDelayed));

        if (std::fabs(static_cast<double>(currentDelay - delayTarget)) > 1e-7)
            currentDelay = static_cast<float>(static_cast<double>(currentDelay) * 0.99998 +
                                              static_cast<double>(delayTarget) * 0.00002);
        else
            currentDelay = delayTarget;
        if (currentDelay < static_cast<float>(minDelay))
            currentDelay = static_cast<float>(minDelay);
        else if (currentDelay > static_cast<float>(maxDelay))
            currentDelay = static_cast<float>(maxDelay);

        const auto wholeSamples = static_cast<std::int32_t>(std::floor(currentDelay));
        const float frac = currentDelay - static_cast<float>(wholeSamples);

        readIndex = writeIndex - wholeSamples;
        while (readIndex < 0)
            readIndex += bufferSize;
        const std::int32_t olderIndex = readIndex == 0 ? bufferSize - 1 : readIndex - 1;

        lastDelayed = (1.0f - frac) * line[readIndex] + frac * line[olderIndex];
        out[i] = limitToTwo(s + lastDelayed);
    }
}

} // namespace halvo
