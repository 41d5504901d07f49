#include "engine/OutputStage.h"

#include "engine/Float4.h"

#include <cmath>

namespace halvo
{

namespace
{

// Limits to [-1, 1]; a NaN leaves as 0.
float clip(float x) noexcept
{
    if (x > 1.0f)
        x = 1.0f;
    if (x < -1.0f)
        x = -1.0f;
    return x == x ? x : 0.0f;
}

} // namespace

void OutputStage::setGainTarget(float gain) noexcept
{
    if (std::isfinite(gain))
        gainTarget.store(gain, std::memory_order_relaxed);
}

void OutputStage::process(float* const* channels, int numChannels, int numSamples) noexcept
{
    // No early return on an empty block: the gain still snaps or takes its ramp steps.
    const float target = gainTarget.load(std::memory_order_relaxed);
    // Decided once per block: a ramp runs over the whole block even if it arrives mid-way.
    if (std::fabs(static_cast<double>(smoothedGain) - static_cast<double>(target)) > 1e-6)
    {
        for (int i = 0; i < numSamples; ++i)
        {
            smoothedGain = static_cast<float>(static_cast<double>(target) * 0.005 +
                                              static_cast<double>(smoothedGain) * 0.995);
            for (int c = 0; c < numChannels; ++c)
                channels[c][i] = clip(channels[c][i] * smoothedGain);
        }
        return;
    }

    smoothedGain = target;
    const Float4 gain = broadcast4(target);
    for (int c = 0; c < numChannels; ++c)
    {
        float* const channel = channels[c];
        int i = 0;
        for (; i + 4 <= numSamples; i += 4)
            store4(channel + i, limitedToBound(load4(channel + i) * gain, 1.0f));
        for (; i < numSamples; ++i)
            channel[i] = clip(channel[i] * target);
    }
}

} // namespace halvo
