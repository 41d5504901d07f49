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

// One line of the network: a value written at writeIndex comes back length - 1 samples later,
// when readIndex reaches it; writeIndex is always the slot read one sample earlier. The 32 lines
// live in one storage block owned by the reverb, and buffer points at the line's first slot.
// Behind each line lie copies of its first slots, so that up to maxLanes consecutive slots can be
// read in place wherever they start; a vector written across the line's end is written once more
// one length earlier, into the first slots and the room in front of them.
struct DelayLine
{
    static constexpr std::int32_t maxLanes = 16;
    // Room in front of a line and behind it.
    static constexpr std::int32_t headRoom = maxLanes;
    static constexpr std::int32_t tailRoom = 2 * maxLanes;

    std::int32_t length;
    std::int32_t readIndex;
    std::int32_t writeIndex;
    float* buffer;
};

// Where each line's first slot lies in the storage block.
inline constexpr std::array<std::int32_t, 32> reverbLineOffsets = []
{
    std::array<std::int32_t, 32> offsets{};
    std::int32_t next = DelayLine::headRoom;
    for (std::size_t k = 0; k < offsets.size(); ++k)
    {
        offsets[k] = next;
        next += reverbDelayLengths[k] + DelayLine::tailRoom + DelayLine::headRoom;
    }
    return offsets;
}();

inline constexpr std::int32_t reverbStorageSize =
    reverbLineOffsets[31] + reverbDelayLengths[31] + DelayLine::tailRoom;

// The settings one block runs with.
struct ReverbLevels
{
    std::array<float, 32> gains;
    float dry;
    float wet;
};

// 32-line feedback delay network mixed by a Hadamard transform after every sample.
class FdnReverb
{
public:
    static constexpr int numLines = 32;
    // Butterfly stages of the 32-point Hadamard transform that mixes the lines.
    static constexpr std::int32_t numStages = 5;

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
    std::array<DelayLine, numLines> lines{};
    std::array<float, numLines> lineState{};
    std::array<std::atomic<float>, numLines> lineGains{};
    // The lines' memory, one block for all 32.
    std::unique_ptr<float[]> storage;
};

} // namespace halvo
