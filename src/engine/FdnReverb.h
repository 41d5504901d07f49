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

// Where each line starts in the network's storage: the lines lie one after the other.
inline constexpr std::array<std::int32_t, 32> reverbLineOffsets = []
{
    std::array<std::int32_t, 32> offsets{};
    for (std::size_t k = 1; k < offsets.size(); ++k)
        offsets[k] = offsets[k - 1] + reverbDelayLengths[k - 1];
    return offsets;
}();

// What the block kernels work on. Line k is a ring of reverbDelayLengths[k] samples at
// storage + reverbLineOffsets[k]; each sample writes at readIndex - 1 (the slot read one sample
// earlier) and then reads at readIndex, so a value comes back length - 1 samples after it was
// written. lineState holds the lines' last outputs after mixing. Behind the lines, the storage
// has room for a copy of every line's next slots where they wrap.
struct ReverbNetwork
{
    static constexpr int numLines = 32;
    static constexpr int maxLanes = 16;
    static constexpr std::int32_t scratchOffset = reverbLineOffsets[31] + reverbDelayLengths[31];
    static constexpr std::int32_t storageSize = scratchOffset + numLines * maxLanes;

    float* storage;
    std::array<std::int32_t, numLines> readIndex;
    std::array<float, numLines> lineState;
};

// The settings one block runs with.
struct ReverbLevels
{
    std::array<float, ReverbNetwork::numLines> gains;
    float dry;
    float wet;
};

// 32-line feedback delay network mixed by a Hadamard transform after every sample.
class FdnReverb
{
public:
    static constexpr int numLines = ReverbNetwork::numLines;

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
    ReverbLevels levelsForBlock() const noexcept;

    float sampleRate;
    float dryLevel;
    float normalisation = 5.656854f;
    std::unique_ptr<float[]> storage;
    ReverbNetwork network;
    std::array<std::atomic<float>, numLines> lineGains{};
};

} // namespace halvo
