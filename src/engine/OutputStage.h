#pragma once

#include <atomic>

namespace halvo
{

// Smoothed output gain followed by a hard clip to [-1, 1]. The target may be set from any thread.
class OutputStage
{
public:
    // A non-finite target is ignored.
    void setGainTarget(float gain) noexcept;
    float getGainTarget() const noexcept { return gainTarget.load(std::memory_order_relaxed); }
    float getSmoothedGain() const noexcept { return smoothedGain; }

    // Applies gain and clip to every channel; a NaN sample leaves as 0.
    void process(float* const* channels, int numChannels, int numSamples) noexcept;

private:
    std::atomic<float> gainTarget{1.0f};
    float smoothedGain = 1.0f;
};

} // namespace halvo
