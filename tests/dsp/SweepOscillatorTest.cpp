#include "engine/SweepOscillator.h"
#include "BitExact.h"
#include "ReferenceChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace halvo
{
namespace
{

constexpr float rate = 44100.0f;

struct OscillatorPair
{
    SweepOscillator engine{0.0f, 0.0f, rate};
    reference::Oscillator model;

    void play(float baseFrequency, float sweepHz, int mode, int waveform)
    {
        engine.setBaseFrequency(baseFrequency);
        engine.setSweepRate(sweepHz);
        engine.setMode(mode);
        engine.setWaveform(waveform);
        engine.setGateLevel(0.5f);
        engine.resetSweepPhase();
        model.baseFrequency = baseFrequency;
        model.sweepIncrement = std::fabs(sweepHz) / rate;
        model.mode = mode;
        model.waveform = waveform;
        model.gateLevel = 0.5f;
        model.sweepPhase = 0.0f;
    }
};

// Deterministic stand-in for host audio left in the buffer.
float heldSample(int i)
{
    return static_cast<float>(std::sin(i * 0.37)) * 0.8f;
}

using ModeAndWaveform = std::tuple<int, int>;
class OscillatorMatchesModel : public ::testing::TestWithParam<ModeAndWaveform>
{
};

TEST_P(OscillatorMatchesModel, BitForBitAcrossNotesAndBlockSizes)
{
    const auto [mode, waveform] = GetParam();
    OscillatorPair pair;
    const int blockSizes[] = {1, 7, 512, 16384, 3000, 100};
    const float notes[] = {440.0f, 1000.0f, 61.7f, 12000.0f, 0.0f, 261.6256f};
    for (std::size_t b = 0; b < std::size(blockSizes); ++b)
    {
        pair.play(notes[b], 3.0f, mode, waveform);
        if (b == 4)
        {
            pair.engine.setGateLevel(0.0f);
            pair.model.gateLevel = 0.0f;
        }
        std::vector<float> actual(static_cast<std::size_t>(blockSizes[b]));
        std::vector<float> expected(actual.size());
        for (std::size_t i = 0; i < actual.size(); ++i)
        {
            actual[i] = heldSample(static_cast<int>(i));
            expected[i] = pair.model.next(actual[i]);
        }
        pair.engine.render(actual.data(), blockSizes[b]);
        ASSERT_TRUE(bitIdentical(actual, expected)) << "block " << b;
    }
    EXPECT_EQ(pair.engine.getSweepPhase(), pair.model.sweepPhase);
    EXPECT_EQ(pair.engine.getTonePhase(), pair.model.tonePhase);
}

INSTANTIATE_TEST_SUITE_P(AllModesAndWaveforms, OscillatorMatchesModel,
                         ::testing::Combine(::testing::Range(-3, 8),
                                            ::testing::Values(0, 1, 2, 4)));

// Renders one sample with the sweep phase moved to phi and returns the tone's step as a multiple
// of the note frequency.
float frequencyMultipleAt(int mode, float phi)
{
    constexpr float note = 441.0f;
    SweepOscillator oscillator(0.0f, 0.0f, rate);
    oscillator.setBaseFrequency(note);
    oscillator.setMode(mode);
    oscillator.setSweepRate(phi * rate);
    const float before = oscillator.getTonePhase();
    float out = 0.0f;
    oscillator.render(&out, 1);
    EXPECT_EQ(oscillator.getSweepPhase(), phi);
    return (oscillator.getTonePhase() - before) * rate / note;
}

TEST(SweepOscillator, ModesShapeTheFrequencyOverTheSweep)
{
    struct Point
    {
        int mode;
        float phi;
        float multiple;
    };
    const Point points[] = {
        {0, 0.0f, 1.0f},  {0, 0.25f, 2.3660254f}, {1, 0.25f, 9.0f},  {1, 0.5f, 1.0f},
        {2, 0.0f, 2.0f},  {2, 0.5f, 0.5f},        {2, 0.75f, 1.25f}, {3, 0.0f, 9.0f},
        {3, 0.5f, 1.0f},  {4, 0.25f, 0.5f},       {4, 0.75f, 1.5f},  {5, 0.25f, 1.0f},
        {5, 0.75f, 3.0f}, {6, 0.25f, 2.0f},       {6, 0.75f, 0.0f},  {6, 0.5f, 2.0f},
    };
    for (const auto& point : points)
        EXPECT_NEAR(frequencyMultipleAt(point.mode, point.phi), point.multiple, 2e-4)
            << "mode " << point.mode << " at " << point.phi;

    // Outside 0..6 the LFO value itself is the frequency: at most 1 Hz.
    EXPECT_NEAR(frequencyMultipleAt(7, 0.75f) * 441.0f, 0.5f, 5e-3f);
    EXPECT_NEAR(frequencyMultipleAt(-3, 0.25f) * 441.0f, 1.0f, 5e-3f);
}

TEST(SweepOscillator, RateZeroModeZeroHoldsTheExactNoteFrequency)
{
    SweepOscillator oscillator(0.0f, 0.0f, rate);
    oscillator.setBaseFrequency(440.0f);
    oscillator.setGateLevel(0.5f);
    std::vector<float> out(5000);
    oscillator.render(out.data(), 5000);

    const float step = 440.0f / rate;
    float phase = 0.5f;
    for (int i = 0; i < 5000; ++i)
    {
        phase += step;
        if (phase >= 1.0f)
            phase = static_cast<float>(static_cast<double>(phase) - 1.0);
    }
    EXPECT_EQ(oscillator.getTonePhase(), phase);
    EXPECT_EQ(oscillator.getSweepPhase(), 0.0f);
}

TEST(SweepOscillator, AmplitudeGlidesToItsFloatFixedPointAndBackToExactSilence)
{
    SweepOscillator oscillator(0.0f, 0.0f, rate);
    oscillator.setBaseFrequency(440.0f);
    oscillator.setWaveform(0);
    oscillator.setGateLevel(0.5f);
    std::vector<float> out(SweepOscillator::maxBlockSize);
    for (int block = 0; block < 20; ++block)
        oscillator.render(out.data(), SweepOscillator::maxBlockSize);
    EXPECT_NEAR(oscillator.getAmplitude(), 0.499851f, 5e-7f);
    const float settled = oscillator.getAmplitude();

    oscillator.setGateLevel(0.0f);
    oscillator.render(out.data(), 10000);
    EXPECT_NEAR(oscillator.getAmplitude() / settled, std::exp(-1.0f), 1e-4f);

    for (int block = 0; block < 10; ++block)
        oscillator.render(out.data(), SweepOscillator::maxBlockSize);
    EXPECT_EQ(oscillator.getAmplitude(), 0.0f);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == 0.0f; }));
}

TEST(SweepOscillator, PeaksBeforeTheDcFilterFollowTheWaveform)
{
    const float expectedPeaks[] = {0.25f, 0.25f, 0.15f};
    for (int waveform = 0; waveform < 3; ++waveform)
    {
        // A low note keeps the saw's smoothed drop from shaving its peak.
        reference::Oscillator model;
        model.baseFrequency = 55.0f;
        model.waveform = waveform;
        model.gateLevel = 0.5f;
        model.amplitude = 0.5f;
        float peak = 0.0f;
        for (int i = 0; i < 4410; ++i)
        {
            model.next(0.0f);
            peak = std::max(peak, std::fabs(model.beforeFilter));
        }
        EXPECT_NEAR(peak, expectedPeaks[waveform], 1e-3f) << "waveform " << waveform;
    }
}

TEST(SweepOscillator, RendersAtMostOneWorkBufferPerCall)
{
    SweepOscillator longBlock(0.0f, 0.0f, rate);
    SweepOscillator fullBuffer(0.0f, 0.0f, rate);
    for (auto* oscillator : {&longBlock, &fullBuffer})
    {
        oscillator->setBaseFrequency(440.0f);
        oscillator->setSweepRate(5.0f);
        oscillator->setGateLevel(0.5f);
    }
    std::vector<float> out(20000, 7.0f);
    std::vector<float> reference(SweepOscillator::maxBlockSize);
    longBlock.render(out.data(), 20000);
    fullBuffer.render(reference.data(), SweepOscillator::maxBlockSize);

    EXPECT_TRUE(
        bitIdentical({out.begin(), out.begin() + SweepOscillator::maxBlockSize}, reference));
    EXPECT_TRUE(std::all_of(out.begin() + SweepOscillator::maxBlockSize, out.end(),
                            [](float v) { return v == 7.0f; }));
    EXPECT_EQ(longBlock.getSweepPhase(), fullBuffer.getSweepPhase());
}

TEST(SweepOscillator, NonFiniteAndHugeFrequenciesStayBounded)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float bad : {nan, inf, -inf, 1e30f, FLT_MAX})
    {
        SweepOscillator oscillator(0.0f, 0.0f, rate);
        oscillator.setGateLevel(0.5f);
        oscillator.setBaseFrequency(bad);
        oscillator.setSweepRate(bad);
        EXPECT_LE(oscillator.getSweepRate(), FLT_MAX);
        for (int mode = 0; mode < 7; ++mode)
        {
            oscillator.setMode(mode);
            std::vector<float> out(1000);
            oscillator.render(out.data(), 1000);
            EXPECT_TRUE(
                std::all_of(out.begin(), out.end(), [](float v) { return std::isfinite(v); }));
            // Whole cycles per sample: both phases stand still.
            EXPECT_EQ(oscillator.getSweepPhase(), 0.0f);
            EXPECT_EQ(oscillator.getTonePhase(), 0.5f);
        }
    }
}

TEST(SweepOscillator, NanLeftInTheBufferDoesNotSilenceTheFilterForever)
{
    SweepOscillator oscillator(0.0f, 0.0f, rate);
    oscillator.setWaveform(4);
    oscillator.setGateLevel(0.5f);
    std::vector<float> out(3000, 0.3f);
    out[100] = std::numeric_limits<float>::quiet_NaN();
    oscillator.render(out.data(), 3000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return std::isfinite(v); }));

    std::fill(out.begin(), out.end(), 0.3f);
    out[0] = -0.3f;
    oscillator.render(out.data(), 1);
    EXPECT_NE(out[0], 0.0f);
}

TEST(SweepOscillator, TheDcFilterFlushesMagnitudesBelow1e5ComparedInDouble)
{
    // The float nearest 1e-5 lies below it; the next one up is kept.
    EXPECT_EQ(DcBlocker::flushed(1e-5f), 0.0f);
    EXPECT_EQ(DcBlocker::flushed(-1e-5f), 0.0f);
    const float justAbove = std::nextafter(1e-5f, 1.0f);
    EXPECT_EQ(DcBlocker::flushed(justAbove), justAbove);
    EXPECT_EQ(DcBlocker::flushed(-justAbove), -justAbove);
    EXPECT_EQ(DcBlocker::flushed(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

} // namespace
} // namespace halvo
