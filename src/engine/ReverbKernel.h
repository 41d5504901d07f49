// The network's block kernel, written once for vectors of `lanes` floats. Included by one source
// file per instruction set, which defines FloatVector and IntVector for its width first; everything
// here has internal linkage so that no code built for one set is ever called from another.
//
// Each vector holds consecutive samples of one line. A value written now is read back at least 46
// samples later, so the lanes of a vector never depend on each other: reading a line's next lanes,
// mixing them, and writing back what enters the line one sample later repeats the per-sample
// operations in their order, lane by lane, and gives the same floats.

#include "engine/VectorKernels.h"

#include <cstdint>
#include <cstring>

namespace halvo
{
namespace
{

constexpr int numLines = ReverbNetwork::numLines;
constexpr int lanes = sizeof(FloatVector) / sizeof(float);

static_assert(lanes <= 46, "a line must not be read before the block has written it");

FloatVector loadVector(const float* from) noexcept
{
    FloatVector v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

void storeVector(float* to, FloatVector v) noexcept
{
    std::memcpy(to, &v, sizeof v);
}

// Up to `lanes` samples from `from`, the rest zero.
FloatVector loadPartial(const float* from, int count) noexcept
{
    float padded[lanes] = {};
    for (int i = 0; i < count; ++i)
        padded[i] = from[i];
    return loadVector(padded);
}

FloatVector broadcast(float x) noexcept
{
    return FloatVector{} + x;
}

// Small values enter the lines as silence, NaN included.
FloatVector flushedTiny(FloatVector v) noexcept
{
    const auto magnitude =
        reinterpret_cast<FloatVector>(reinterpret_cast<IntVector>(v) & 0x7fffffff);
    return reinterpret_cast<FloatVector>(reinterpret_cast<IntVector>(v) &
                                         (magnitude > broadcast(1e-5f)));
}

float flushedTiny(float v) noexcept
{
    return (v > 1e-5f || v < -1e-5f) ? v : 0.0f;
}

// One butterfly stage of span h of the unnormalised 32-point Hadamard transform.
template <int h> void butterflies(FloatVector (&v)[numLines]) noexcept
{
#pragma GCC unroll 16
    for (int b = 0; b < numLines; b += 2 * h)
#pragma GCC unroll 16
        for (int m = b; m < b + h; ++m)
        {
            const FloatVector a = v[m];
            const FloatVector c = v[m + h];
            v[m] = a + c;
            v[m + h] = a - c;
        }
}

// The transform's stages of span 1, 2, 4, 8, 16, in that order.
[[gnu::always_inline]] inline void mix(FloatVector (&v)[numLines]) noexcept
{
    butterflies<1>(v);
    butterflies<2>(v);
    butterflies<4>(v);
    butterflies<8>(v);
    butterflies<16>(v);
}

// Where in the storage each line's slots for the next `count` samples lie: in place, or where the
// ring wraps (or fewer than `lanes` samples remain), in a copy behind the lines.
struct LineWindow
{
    static_assert(lanes <= ReverbNetwork::maxLanes);

    std::int32_t slots[numLines];
    std::int32_t copied[numLines];
    std::int32_t anyCopied = 0;

    LineWindow(const ReverbNetwork& network, int count) noexcept
    {
        for (int k = 0; k < numLines; ++k)
        {
            const std::int32_t index = network.readIndex[k];
            copied[k] = (count < lanes) | (index > reverbDelayLengths[k] - lanes);
            slots[k] = copied[k] != 0 ? ReverbNetwork::scratchOffset + k * lanes
                                      : reverbLineOffsets[k] + index;
            anyCopied |= copied[k];
        }
        if (anyCopied != 0)
            copyWrapped(network.storage, network, count, true);
    }

    void finish(ReverbNetwork& network, int count) noexcept
    {
        if (anyCopied != 0)
            copyWrapped(network.storage, network, count, false);
        for (int k = 0; k < numLines; ++k)
        {
            const std::int32_t index = network.readIndex[k] + count;
            network.readIndex[k] =
                index >= reverbDelayLengths[k] ? index - reverbDelayLengths[k] : index;
        }
    }

    void copyWrapped(float* storage, const ReverbNetwork& network, int count,
                     bool intoCopy) const noexcept
    {
        for (int k = 0; k < numLines; ++k)
        {
            if (copied[k] == 0)
                continue;
            float* const line = storage + reverbLineOffsets[k];
            float* const copy = storage + slots[k];
            int index = network.readIndex[k];
            for (int i = 0; i < count; ++i)
            {
                if (intoCopy)
                    copy[i] = line[index];
                else
                    line[index] = copy[i];
                if (++index == reverbDelayLengths[k])
                    index = 0;
            }
        }
    }
};

template <int outputs>
void processNetwork(ReverbNetwork& network, const ReverbLevels& levels, const float* in,
                    float* const* out, int numSamples) noexcept
{
    if (numSamples <= 0)
        return;

    // What enters each line with the block's first sample, written where the last sample read.
    for (int k = 0; k < numLines; ++k)
    {
        const std::int32_t index = network.readIndex[k];
        const std::int32_t writeIndex = index == 0 ? reverbDelayLengths[k] - 1 : index - 1;
        network.storage[reverbLineOffsets[k] + writeIndex] =
            flushedTiny((network.lineState[k] + in[0]) * levels.gains[k]);
    }

    const FloatVector dry = broadcast(levels.dry);
    const FloatVector wet = broadcast(levels.wet);
    for (int start = 0; start < numSamples; start += lanes)
    {
        const int count = numSamples - start < lanes ? numSamples - start : lanes;
        // The input of these samples and of the samples one later; past the block's end, zeros
        // (what they write is overwritten by the next block's first sample before it is read).
        const FloatVector x =
            count == lanes ? loadVector(in + start) : loadPartial(in + start, count);
        const FloatVector nextX = numSamples - start > lanes
                                      ? loadVector(in + start + 1)
                                      : loadPartial(in + start + 1, count - 1);

        LineWindow window(network, count);
        FloatVector v[numLines];
#pragma GCC unroll 32
        for (int k = 0; k < numLines; ++k)
            v[k] = loadVector(network.storage + window.slots[k]);

        FloatVector sums[outputs] = {};
#pragma GCC unroll 32
        for (int k = 0; k < numLines; ++k)
            sums[k % outputs] += v[k];
        for (int channel = 0; channel < outputs; ++channel)
        {
            const FloatVector y = dry * x + wet * sums[channel];
            if (count == lanes)
                storeVector(out[channel] + start, y);
            else
                for (int i = 0; i < count; ++i)
                    out[channel][start + i] = y[i];
        }

        mix(v);
#pragma GCC unroll 32
        for (int k = 0; k < numLines; ++k)
            storeVector(network.storage + window.slots[k],
                        flushedTiny((v[k] + nextX) * broadcast(levels.gains[k])));
        if (start + count == numSamples)
#pragma GCC unroll 32
            for (int k = 0; k < numLines; ++k)
                network.lineState[k] = v[k][count - 1];
        window.finish(network, count);
    }
}

} // namespace
} // namespace halvo
