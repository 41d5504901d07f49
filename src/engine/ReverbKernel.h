// The network's block kernel, written once for vectors of `lanes` floats. Included by one source
// file per instruction set, which defines FloatVector and IntVector for its width first; everything
// here has internal linkage so that no code built for one set is ever called from another.
//
// Each vector holds consecutive samples of one line. A value written now is read back at least 46
// samples later, so the lanes of a vector never depend on each other: reading a line's next lanes,
// mixing them, and writing back what enters the line one sample later repeats the per-sample
// operations in their order, lane by lane, and gives the same floats.

#include "engine/VectorKernels.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace halvo
{
namespace
{

constexpr int numLines = FdnReverb::numLines;
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

// The unnormalised 32-point Hadamard transform is five stages of butterflies, of span 1, 2, 4, 8
// and 16. The first three stay within groups of eight lines and the last two within the four
// lines m, m + 8, m + 16, m + 24, so the kernel does them in that grouping, which keeps fewer
// vectors live at once; each butterfly still adds and subtracts the same two values.
static_assert((1 << FdnReverb::numStages) == numLines && numLines == 32);
constexpr int groupSize = 8;

template <int h> void butterflies(FloatVector (&v)[groupSize]) noexcept
{
#pragma GCC unroll 8
    for (int b = 0; b < groupSize; b += 2 * h)
#pragma GCC unroll 8
        for (int m = b; m < b + h; ++m)
        {
            const FloatVector a = v[m];
            const FloatVector c = v[m + h];
            v[m] = a + c;
            v[m + h] = a - c;
        }
}

// The lines' next slots during a block, as offsets from line 0's buffer (the lines share one
// storage block), so that finding all 32 is index arithmetic that vectorises.
struct LinePositions
{
    static_assert(lanes <= DelayLine::maxLanes);

    float* base;
    std::int32_t length[numLines];
    std::int32_t start[numLines];
    std::int32_t index[numLines];
    // Where the next vector of each line is read and written, and where it is written once more.
    std::int32_t slot[numLines];
    std::int32_t copySlot[numLines];

    explicit LinePositions(const std::array<DelayLine, numLines>& lines) noexcept
        : base(lines[0].buffer)
    {
        for (int k = 0; k < numLines; ++k)
        {
            length[k] = lines[k].length;
            start[k] = static_cast<std::int32_t>(lines[k].buffer - base);
            index[k] = lines[k].readIndex;
        }
    }

    // A vector that crosses the line's end is written once more one length earlier; one that
    // starts in the slots copied behind the line, once more one length later. Otherwise the second
    // write goes to the same place.
    void locateNextVector() noexcept
    {
        for (int k = 0; k < numLines; ++k)
        {
            const std::int32_t at = index[k];
            const std::int32_t shift = at > length[k] - lanes
                                           ? -length[k]
                                           : (at < DelayLine::maxLanes - 1 ? length[k] : 0);
            slot[k] = start[k] + at;
            copySlot[k] = slot[k] + shift;
        }
    }

    // Writes one slot of line k, and its copy behind the line.
    void write(int k, std::int32_t at, float value) noexcept
    {
        float* const line = base + start[k];
        line[at] = value;
        if (at < DelayLine::maxLanes - 1)
            line[at + length[k]] = value;
    }

    void advance(int count) noexcept
    {
        for (int k = 0; k < numLines; ++k)
        {
            const std::int32_t at = index[k] + count;
            index[k] = at >= length[k] ? at - length[k] : at;
        }
    }

    void storeInto(std::array<DelayLine, numLines>& lines) const noexcept
    {
        for (int k = 0; k < numLines; ++k)
        {
            lines[k].readIndex = index[k];
            lines[k].writeIndex = (index[k] == 0 ? length[k] : index[k]) - 1;
        }
    }
};

template <int outputs>
void processNetwork(std::array<DelayLine, numLines>& lines, std::array<float, numLines>& lineState,
                    const ReverbLevels& levels, const float* in, float* const* out,
                    int numSamples) noexcept
{
    if (numSamples <= 0)
        return;

    LinePositions positions(lines);
    // What enters each line with the block's first sample, written where the last sample read.
    for (int k = 0; k < numLines; ++k)
        positions.write(k, lines[k].writeIndex,
                        flushedTiny((lineState[k] + in[0]) * levels.gains[k]));

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

        positions.locateNextVector();
        FloatVector sums[outputs] = {};
        FloatVector grouped[numLines];
#pragma GCC unroll 4
        for (int group = 0; group < numLines; group += groupSize)
        {
            FloatVector v[groupSize];
#pragma GCC unroll 8
            for (int m = 0; m < groupSize; ++m)
            {
                v[m] = loadVector(positions.base + positions.slot[group + m]);
                sums[(group + m) % outputs] += v[m];
            }
            butterflies<1>(v);
            butterflies<2>(v);
            butterflies<4>(v);
#pragma GCC unroll 8
            for (int m = 0; m < groupSize; ++m)
                grouped[group + m] = v[m];
        }
        for (int channel = 0; channel < outputs; ++channel)
        {
            const FloatVector y = dry * x + wet * sums[channel];
            if (count == lanes)
                storeVector(out[channel] + start, y);
            else
                for (int i = 0; i < count; ++i)
                    out[channel][start + i] = y[i];
        }

        FloatVector mixed[numLines];
#pragma GCC unroll 8
        for (int m = 0; m < groupSize; ++m)
        {
            // Span 8, then span 16.
            const FloatVector a = grouped[m] + grouped[m + 8];
            const FloatVector b = grouped[m] - grouped[m + 8];
            const FloatVector c = grouped[m + 16] + grouped[m + 24];
            const FloatVector d = grouped[m + 16] - grouped[m + 24];
            mixed[m] = a + c;
            mixed[m + 16] = a - c;
            mixed[m + 8] = b + d;
            mixed[m + 24] = b - d;
            if (count == lanes)
                for (const int k : {m, m + 8, m + 16, m + 24})
                {
                    const FloatVector entering =
                        flushedTiny((mixed[k] + nextX) * broadcast(levels.gains[k]));
                    storeVector(positions.base + positions.slot[k], entering);
                    storeVector(positions.base + positions.copySlot[k], entering);
                }
        }
        if (count < lanes)
        {
            // A block's last few samples: only their own slots are written.
            for (int k = 0; k < numLines; ++k)
            {
                const FloatVector entering =
                    flushedTiny((mixed[k] + nextX) * broadcast(levels.gains[k]));
                std::int32_t at = positions.index[k];
                for (int i = 0; i < count; ++i)
                {
                    positions.write(k, at, entering[i]);
                    if (++at == positions.length[k])
                        at = 0;
                }
            }
        }
        if (start + count == numSamples)
#pragma GCC unroll 32
            for (int k = 0; k < numLines; ++k)
                lineState[k] = mixed[k][count - 1];
        positions.advance(count);
    }
    positions.storeInto(lines);
}

} // namespace
} // namespace halvo
