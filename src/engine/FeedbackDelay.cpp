#include "engine/FeedbackDelay.h"

#include "engine/Float4.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

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

float glidedFeedback(float current, float target) noexcept
{
    if (std::fabs(static_cast<double>(current - target)) > 1e-6)
        return static_cast<float>(static_cast<double>(current) * 0.995 +
                                  static_cast<double>(target) * 0.005);
    return target;
}

float glidedDelay(float current, float target) noexcept
{
    float next = target;
    if (std::fabs(static_cast<double>(current - target)) > 1e-7)
        next = static_cast<float>(static_cast<double>(current) * 0.99998 +
                                  static_cast<double>(target) * 0.00002);
    if (next < static_cast<float>(FeedbackDelay::minDelay))
        return static_cast<float>(FeedbackDelay::minDelay);
    if (next > static_cast<float>(FeedbackDelay::maxDelay))
        return static_cast<float>(FeedbackDelay::maxDelay);
    return next;
}

bool sameBits(float a, float b) noexcept
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Samples handled together while the delay time stands still; the echo of each was written at
// least minDelay samples before, so none of them reads what another writes.
constexpr int runLength = 96;
static_assert(runLength <= FeedbackDelay::minDelay);

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

    // Once both glides have come to rest, every sample of the block has the same feedback factor,
    // delay and read offset.
    const bool resting =
        sameBits(glidedFeedback(currentFeedback, feedbackTarget), currentFeedback) &&
        sameBits(glidedDelay(currentDelay, delayTarget), currentDelay);
    int done = 0;
    while (done < numSamples)
    {
        const int count = std::min(numSamples - done, runLength);
        if (resting)
            processRestingRun(in + done, out + done, count);
        else
            processGlidingRun(in + done, out + done, count, feedbackTarget, delayTarget);
        done += count;
    }
}

void FeedbackDelay::processGlidingRun(const float* in, float* out, int numSamples,
                                      float feedbackTarget, float delayTarget) noexcept
{
    float* const line = buffer.get();
    for (int i = 0; i < numSamples; ++i)
    {
        const float s = in[i];

        if (++writeIndex >= bufferSize)
            writeIndex -= bufferSize;

        currentFeedback = glidedFeedback(currentFeedback, feedbackTarget);
        // The feedback factor scales everything entering the line, the dry input included.
        line[writeIndex] = withoutDenormal(currentFeedback * limitToTwo(s + lastDelayed));

        currentDelay = glidedDelay(currentDelay, delayTarget);
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

// The same steps with fixed settings: first every echo of the run (all written before it), then
// what enters the line and the output. Where the ring wraps, the gliding loop does the work.
void FeedbackDelay::processRestingRun(const float* in, float* out, int numSamples) noexcept
{
    const auto wholeSamples = static_cast<std::int32_t>(std::floor(currentDelay));
    const std::int32_t firstWrite = writeIndex + 1;
    // The slot one older than the first sample's echo; the run reads on from there.
    std::int32_t firstOlder = firstWrite - wholeSamples - 1;
    if (firstOlder < 0)
        firstOlder += bufferSize;
    if (firstOlder + numSamples + 1 > bufferSize || firstWrite + numSamples > bufferSize)
    {
        processGlidingRun(in, out, numSamples, currentFeedback, currentDelay);
        return;
    }

    float* const line = buffer.get();
    const float frac = currentDelay - static_cast<float>(wholeSamples);
    const float* const newer = line + firstOlder + 1;
    // echoes[i + 1] is the echo of sample i; echoes[0] the one fed back into the first sample.
    float echoes[runLength + 1];
    echoes[0] = lastDelayed;
    for (int i = 0; i < numSamples; ++i)
        echoes[i + 1] = (1.0f - frac) * newer[i] + frac * newer[i - 1];

    // A copy of the input, since in and out are usually the same channel.
    float dry[runLength];
    std::copy_n(in, numSamples, dry);
    float* const entering = line + firstWrite;
    const float feedback = currentFeedback;
    const Float4 feedbackVector = broadcast4(feedback);
    const Float4 smallest = broadcast4(1e-30f);
    const Mask4 magnitudeBits = Mask4{} + 0x7fffffff;
    int i = 0;
    for (; i + 4 <= numSamples; i += 4)
    {
        const Float4 x = load4(dry + i);
        const Float4 fed = feedbackVector * limitedToBound(x + load4(echoes + i), 2.0f);
        // As withoutDenormal: kept unless its magnitude is below 1e-30.
        const Float4 magnitude = masked(fed, magnitudeBits);
        store4(entering + i, masked(fed, ~(magnitude < smallest)));
        store4(out + i, limitedToBound(x + load4(echoes + i + 1), 2.0f));
    }
    for (; i < numSamples; ++i)
    {
        entering[i] = withoutDenormal(feedback * limitToTwo(dry[i] + echoes[i]));
        out[i] = limitToTwo(dry[i] + echoes[i + 1]);
    }

    lastDelayed = echoes[numSamples];
    writeIndex = firstWrite + numSamples - 1;
    readIndex = firstOlder + numSamples;
}

} // namespace halvo
