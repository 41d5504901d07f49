#include "engine/OutputStage.h"

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
    for (int c = 0; c < numChannels; ++c)
        for (int i = 0; i < numSamples; ++i)
            channels[c][i] = clip(channels[c][i] * target);
}

} // namespace halvo
