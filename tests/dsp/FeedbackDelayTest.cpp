#include "engine/FeedbackDelay.h"
#include "BitExact.h"
#include "ReferenceChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace halvo
{
namespace
{

std::vector<float> silence(std::size_t n)
{
    return std::vector<float>(n, 0.0f);
}

void runSilence(FeedbackDelay& delay, int samples)
{
    std::vector<float> block(16384);
    for (int done = 0; done < samples; done += 16384)
        delay.process(block.data(), block.data(), 16384);
}

TEST(FeedbackDelay, MatchesModelBitForBitWhileTimeAndFeedbackGlide)
{
    FeedbackDelay delay;
    reference::Delay model;
    struct Step
    {
        float delaySamples;
        float feedback;
        int blockSize;
    };
    const Step steps[] = {{22050.0f, 0.5f, 30000}, {44100.0f, 1.1f, 1},   {44100.0f, 1.1f, 60000},
                          {1000.0f, 0.3f, 777},    {150.5f, 0.9f, 40000}, {50.0f, 0.0f, 20000}};
    int n = 0;
    for (const auto& step : steps)
    {
        delay.setDelaySamples(step.delaySamples);
        delay.setFeedback(step.feedback);
        model.targetDelay = delay.getTargetDelay();
        model.targetFeedback = step.feedback;

        std::vector<float> actual(static_cast<std::size_t>(step.blockSize));
        std::vector<float> expected(actual.size());
        for (std::size_t i = 0; i < actual.size(); ++i, ++n)
        {
            // Bursts of loud noise with gaps, so the limits and the tail both get exercised.
            actual[i] = (n / 5000) % 3 == 0 ? 2.5f * static_cast<float>(std::sin(n * 1.3)) : 0.0f;
            expected[i] = model.next(actual[i]);
        }
        delay.process(actual.data(), actual.data(), step.blockSize);
        ASSERT_TRUE(bitIdentical(actual, expected)) << "target " << step.delaySamples;
    }
}

TEST(FeedbackDelay, GlidesSettleWhereAFloatStepNoLongerMoves)
{
    const struct
    {
        float target;
        float settled;
    } cases[] = {{44100.0f, 44002.34375f}, {22050.0f, 22001.171875f}, {1000.0f, 998.474121f}};
    for (const auto& c : cases)
    {
        FeedbackDelay delay;
        delay.setDelaySamples(c.target);
        delay.setFeedback(0.55f);
        runSilence(delay, 1'500'000);
        EXPECT_FLOAT_EQ(delay.getCurrentDelay(), c.settled);
        EXPECT_NEAR(delay.getCurrentFeedback(), 0.549994f, 5e-7f);
        const float settled = delay.getCurrentDelay();
        runSilence(delay, 16384);
        EXPECT_EQ(delay.getCurrentDelay(), settled);
    }
}

TEST(FeedbackDelay, EchoesHalveOnEachRepeat)
{
    FeedbackDelay delay;
    delay.setDelaySamples(100.0f);
    delay.setFeedback(0.5f);
    runSilence(delay, 16384);
    ASSERT_EQ(delay.getCurrentDelay(), 100.0f);

    auto signal = silence(400);
    signal[0] = 1.0f;
    delay.process(signal.data(), signal.data(), 400);
    EXPECT_EQ(signal[0], 1.0f);
    // The echo feeds back one sample after it is heard, so repeats lie delay + 1 apart.
    const std::size_t echoes[] = {100, 201, 302};
    float level = 1.0f;
    for (const std::size_t at : echoes)
    {
        level *= 0.5f;
        EXPECT_NEAR(signal[at], level, 1e-5f) << "at " << at;
        signal[at] = 0.0f;
    }
    signal[0] = 0.0f;
    for (std::size_t i = 0; i < signal.size(); ++i)
        EXPECT_EQ(signal[i], 0.0f) << "at " << i;
}

TEST(FeedbackDelay, LimitsInputTargetsAndNonFiniteValues)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    FeedbackDelay delay;
    delay.setDelaySamples(50.0f);
    EXPECT_EQ(delay.getTargetDelay(), 100.0f);
    delay.setDelaySamples(200000.0f);
    EXPECT_EQ(delay.getTargetDelay(), 192000.0f);
    delay.setDelaySamples(nan);
    EXPECT_EQ(delay.getTargetDelay(), 192000.0f);
    delay.setDelaySamples(-inf);
    EXPECT_EQ(delay.getTargetDelay(), 100.0f);
    delay.setDelaySamples(inf);
    EXPECT_EQ(delay.getTargetDelay(), 192000.0f);
    delay.setFeedback(5.0f);
    delay.setFeedback(nan);
    delay.setFeedback(inf);
    EXPECT_EQ(delay.getTargetFeedback(), 5.0f);

    // Feedback 0: nothing enters the line, the output is the limited input.
    FeedbackDelay dry;
    std::vector<float> signal{3.0f, -3.0f, 1.5f, nan, inf, -0.25f};
    dry.process(signal.data(), signal.data(), 6);
    EXPECT_EQ(signal, (std::vector<float>{2.0f, -2.0f, 1.5f, 0.0f, 2.0f, -0.25f}));
}

TEST(FeedbackDelay, NanInputLeavesTheEchoesRunning)
{
    FeedbackDelay delay;
    delay.setDelaySamples(100.0f);
    delay.setFeedback(0.9f);
    runSilence(delay, 16384);
    auto signal = silence(1000);
    signal[0] = 1.0f;
    signal[50] = std::numeric_limits<float>::quiet_NaN();
    delay.process(signal.data(), signal.data(), 1000);
    for (const float v : signal)
        ASSERT_TRUE(std::isfinite(v));
    EXPECT_NEAR(signal[908], std::pow(delay.getCurrentFeedback(), 9.0f), 1e-5f);
}

TEST(FeedbackDelay, DecayingTailNeverTurnsDenormal)
{
    // A gliding, fractional delay time spreads the tail over neighbouring samples.
    FeedbackDelay delay;
    delay.setDelaySamples(150.5f);
    delay.setFeedback(0.9f);
    auto input = silence(16384);
    input[0] = 1.0f;
    auto output = silence(16384);
    int nonZero = 0;
    for (int block = 0; block < 40; ++block)
    {
        delay.process(input.data(), output.data(), 16384);
        input[0] = 0.0f;
        for (const float v : output)
        {
            ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL) << "block " << block;
            nonZero += v != 0.0f;
        }
    }
    EXPECT_GT(nonZero, 1000);
    // Long after the impulse the tail has ended in exact zeros.
    EXPECT_EQ(output, silence(16384));
}

} // namespace
} // namespace halvo
