#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace halvo
{

// Mono echo with a fractional delay time that glides to its target and a gliding feedback factor.
// The targets may be set from any thread while process runs on the audio thread.
class FeedbackDelay
{
public:
    static constexpr std::int32_t minDelay = 100;
    static constexpr std::int32_t maxDelay = 192000;
    static constexpr std::int32_t bufferSize = maxDelay + 1;

    FeedbackDelay();

    void setDelaySamples(float samples) noexcept;
    void setFeedback(float gain) noexcept;

    // in and out may be the same channel.
    void process(const float* in, float* out, int numSamples) noexcept;

    float getTargetDelay() const noexcept { return targetDelay.load(std::memory_order_relaxed); }
    float getCurrentDelay() const noexcept { return currentDelay; }
    float getTargetFeedback() const noexcept
    {
        return targetFeedback.load(std::memory_order_relaxed);
    }
    float getCurrentFeedback() const noexcept { return currentFeedback; }

private:
    void processGlidingRun(const float* in, float* out, int numSamples, float feedbackTarget,
                           float delayTarget) noexcept;
    void processRestingRun(const float* in, float* out, int numSamples) noexcept;

    std::atomic<float> targetDelay{0.0f};
    float currentDelay = static_cast<float>(minDelay);
    std::atomic<float> targetFeedback{0.0f};
    float currentFeedback = 0.0f;
    float lastDelayed = 0.0f;
    std::int32_t writeIndex = 0;
    std::int32_t readIndex = 0;
    std::unique_ptr<float[]> buffer;
};

} // namespace halvo
