#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace halvo
{

// Line lengths in samples, all prime.
inline constexpr std::array<std::int32_t, 32> reverbDelayLengths{
    47,   251,  487,  743,  1019, 1291, 1579, 1877, 2179, 2473, 2789, 3119, 3457, 3739, 4073, 4409,
    4733, 5077, 5431, 5743, 6091, 6397, 6781, 7121, 7507, 7829, 8209, 8573, 8887, 9241, 9601, 9929};

// A value written into the line is read back length - 1 samples later.
class DelayLine
{
public:
    explicit DelayLine(std::int32_t lengthInSamples);

    float writeThenRead(float value) noexcept;
    std::int32_t getLength() const noexcept { return length; }

private:
    std::int32_t length;
    std::int32_t readIndex = 0;
    std::int32_t writeIndex;
    std::unique_ptr<float[]> buffer;
};

// 32-line feedback delay network mixed by a Hadamard transform after every sample.
class FdnReverb
{
public:
    static constexpr int numLines = 32;

    FdnReverb(float sampleRate, float decayTime, float dryLevel);

    // Seconds to fall by 60 dB; may be called from any thread while the audio thread processes.
    void setDecayTime(float seconds) noexcept;

    // in and out may be the same channel.
    void processMono(const float* in, float* out, int numSamples) noexcept;
    // in may be out[0]; even lines go to out[0], odd lines to out[1].
    void processStereo(const float* in, float* const* out, int numSamples) noexcept;

    float getLineGain(int line) const noexcept
    {
        return lineGains[static_cast<std::size_t>(line)].load(std::memory_order_relaxed);
    }
    float getDryLevel() const noexcept { return dryLevel; }

private:
    std::array<float, numLines> loadGains() const noexcept;
    float feedLine(std::size_t line, float input, float gain) noexcept;
    void mixLineState() noexcept;

    float sampleRate;
    float dryLevel;
    std::int32_t numStages = 5;
    float normalisation = 5.656854f;
    std::array<DelayLine, numLines> lines;
    std::array<float, numLines> lineState{};
    std::array<std::atomic<float>, numLines> lineGains{};
};

} // namespace halvo
