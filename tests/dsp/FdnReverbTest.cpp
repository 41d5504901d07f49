#include "engine/FdnReverb.h"
#include "BitExact.h"
#include "ReferenceChain.h"
#include "engine/InstructionSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <limits>
#include <vector>

namespace halvo
{
namespace
{

constexpr float wetLevel = 0.5f / 5.656854f;

std::vector<float> impulse(std::size_t n)
{
    std::vector<float> signal(n, 0.0f);
    signal[0] = 1.0f;
    return signal;
}

// The build decides which block kernels exist: NEON on aarch64, SSE2 and wider on x86-64, where
// the widest the CPU reports runs.
TEST(FdnReverb, RunsTheKernelsOfTheBuildsArchitecture)
{
    const auto active = activeInstructionSet();
    std::cout << "reverb block kernel: " << instructionSetName(active) << std::endl;
#if defined(__aarch64__)
    EXPECT_EQ(active, InstructionSet::neon);
    for (const auto set : {InstructionSet::sse2, InstructionSet::avx2, InstructionSet::avx512})
        EXPECT_FALSE(isSupported(set)) << instructionSetName(set);
#else
    EXPECT_FALSE(isSupported(InstructionSet::neon));
    const auto widest = isSupported(InstructionSet::avx512) ? InstructionSet::avx512
                        : isSupported(InstructionSet::avx2) ? InstructionSet::avx2
                                                            : InstructionSet::sse2;
    EXPECT_EQ(active, widest);
#endif
}

TEST(FdnReverb, DecayTimeSetsTheLineGains)
{
    FdnReverb reverb(44100.0f, 5.0f, 0.5f);
    EXPECT_NEAR(reverb.getLineGain(0), 0.176517f, 5e-7f);
    for (int k = 1; k < FdnReverb::numLines; ++k)
        EXPECT_LT(reverb.getLineGain(k), reverb.getLineGain(k - 1));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float noDecay : {0.0f, -1.0f, nan, -std::numeric_limits<float>::infinity()})
    {
        reverb.setDecayTime(noDecay);
        for (int k = 0; k < FdnReverb::numLines; ++k)
            EXPECT_EQ(reverb.getLineGain(k), 0.0f) << "decay " << noDecay;
    }
    reverb.setDecayTime(std::numeric_limits<float>::infinity());
    for (int k = 0; k < FdnReverb::numLines; ++k)
        EXPECT_EQ(reverb.getLineGain(k), static_cast<float>(1.0 / static_cast<double>(5.656854f)));
}

TEST(FdnReverb, NoDecayOnlyHalvesTheInput)
{
    FdnReverb reverb(44100.0f, 0.0f, 0.5f);
    std::vector<float> mono(2000);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = static_cast<float>(std::sin(0.01 * static_cast<double>(i)));
    std::vector<float> left(mono.size());
    std::vector<float> right(mono.size());
    float* const stereo[] = {left.data(), right.data()};
    reverb.processStereo(mono.data(), stereo, 2000);
    reverb.processMono(mono.data(), mono.data(), 2000);
    for (std::size_t i = 0; i < mono.size(); ++i)
    {
        const float halfInput = 0.5f * static_cast<float>(std::sin(0.01 * static_cast<double>(i)));
        ASSERT_EQ(mono[i], halfInput);
        ASSERT_EQ(left[i], halfInput);
        ASSERT_EQ(right[i], halfInput);
    }
}

TEST(FdnReverb, FirstReflectionComesFromTheShortestLine)
{
    FdnReverb mono(44100.0f, 5.0f, 0.5f);
    auto out = impulse(47);
    mono.processMono(out.data(), out.data(), 47);
    EXPECT_EQ(out[0], 0.5f);
    for (std::size_t i = 1; i < 46; ++i)
        EXPECT_EQ(out[i], 0.0f) << "at " << i;
    EXPECT_EQ(out[46], wetLevel * mono.getLineGain(0));
    EXPECT_NEAR(out[46], 0.0883883f * 0.176517f, 1e-7f);

    FdnReverb stereo(44100.0f, 5.0f, 0.5f);
    auto input = impulse(47);
    std::vector<float> right(47);
    float* const channels[] = {input.data(), right.data()};
    stereo.processStereo(input.data(), channels, 47);
    EXPECT_EQ(input[0], 0.5f);
    EXPECT_EQ(right[0], 0.5f);
    EXPECT_EQ(input[46], out[46]);
    EXPECT_EQ(right[46], 0.0f);
}

TEST(FdnReverb, TinyValuesEnterTheLinesAsSilence)
{
    FdnReverb reverb(44100.0f, 10.0f, 0.5f);
    std::vector<float> signal(20000, 1e-5f);
    reverb.processMono(signal.data(), signal.data(), 20000);
    for (const float v : signal)
        ASSERT_EQ(v, 0.5f * 1e-5f);
}

TEST(FdnReverb, MatchesModelBitForBitInMonoAndStereo)
{
    FdnReverb mono(44100.0f, 0.0f, 0.5f);
    FdnReverb stereo(44100.0f, 0.0f, 0.5f);
    reference::Reverb model;
    const struct
    {
        float decay;
        int blockSize;
    } steps[] = {{5.0f, 30000}, {10.0f, 1}, {0.7f, 513}, {10.0f, 20000}, {0.0f, 12000}};
    int n = 0;
    for (const auto& step : steps)
    {
        mono.setDecayTime(step.decay);
        stereo.setDecayTime(step.decay);
        model.setDecayTime(step.decay);
        const auto size = static_cast<std::size_t>(step.blockSize);
        std::vector<float> monoOut(size), left(size), right(size);
        std::vector<float> expectedMono(size), expectedLeft(size), expectedRight(size);
        for (std::size_t i = 0; i < size; ++i, ++n)
        {
            monoOut[i] = left[i] = n % 9000 < 2000 ? static_cast<float>(std::sin(n * 0.7)) : 0.0f;
            const auto expected = model.next(monoOut[i]);
            expectedMono[i] = expected[0];
            expectedLeft[i] = expected[1];
            expectedRight[i] = expected[2];
        }
        mono.processMono(monoOut.data(), monoOut.data(), step.blockSize);
        float* const channels[] = {left.data(), right.data()};
        stereo.processStereo(left.data(), channels, step.blockSize);
        ASSERT_TRUE(bitIdentical(monoOut, expectedMono)) << "decay " << step.decay;
        ASSERT_TRUE(bitIdentical(left, expectedLeft)) << "decay " << step.decay;
        ASSERT_TRUE(bitIdentical(right, expectedRight)) << "decay " << step.decay;
    }
}

} // namespace
} // namespace halvo
