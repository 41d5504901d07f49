#include "engine/OutputStage.h"
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

struct Buffer
{
    std::vector<std::vector<float>> channels;
    std::vector<float*> pointers;

    Buffer(std::size_t numChannels, std::size_t numSamples, float value)
        : channels(numChannels, std::vector<float>(numSamples, value))
    {
        for (auto& channel : channels)
            pointers.push_back(channel.data());
    }
    int numChannels() const { return static_cast<int>(channels.size()); }
    int numSamples() const { return channels.empty() ? 0 : static_cast<int>(channels[0].size()); }
};

void process(OutputStage& stage, Buffer& buffer)
{
    stage.process(buffer.pointers.data(), buffer.numChannels(), buffer.numSamples());
}

TEST(OutputStage, RampMatchesModelOnEveryChannel)
{
    OutputStage stage;
    reference::OutputGain model;
    const float targets[] = {0.5f, 0.5f, 1.7f, 1.0000005f, 0.0f};
    for (const float target : targets)
    {
        stage.setGainTarget(target);
        model.target = target;
        Buffer buffer(3, 700, 0.0f);
        for (std::size_t c = 0; c < 3; ++c)
            for (std::size_t i = 0; i < 700; ++i)
                buffer.channels[c][i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i) +
                                                                    static_cast<double>(c))) *
                                        0.9f;
        auto expected = buffer.channels;
        model.process(expected);
        process(stage, buffer);
        for (std::size_t c = 0; c < 3; ++c)
            ASSERT_TRUE(bitIdentical(buffer.channels[c], expected[c])) << "target " << target;
        EXPECT_EQ(stage.getSmoothedGain(), model.smoothed);
    }
}

TEST(OutputStage, GainSettlesShortOfTheTargetAndKeepsRamping)
{
    OutputStage stage;
    stage.setGainTarget(0.5f);
    for (int block = 0; block < 20; ++block)
    {
        Buffer buffer(2, 4096, 1.0f);
        process(stage, buffer);
    }
    EXPECT_NEAR(stage.getSmoothedGain(), 0.500006f, 5e-7f);
    const float settled = stage.getSmoothedGain();
    Buffer buffer(2, 4096, 1.0f);
    process(stage, buffer);
    EXPECT_EQ(stage.getSmoothedGain(), settled);
    EXPECT_EQ(buffer.channels[1][4095], settled);

    // Within 1e-6 of the target, the block applies the target exactly.
    stage.setGainTarget(settled + 5e-7f);
    Buffer close(1, 8, 0.25f);
    process(stage, close);
    EXPECT_EQ(stage.getSmoothedGain(), stage.getGainTarget());
}

TEST(OutputStage, ClipsToUnitRangeAndTurnsNanIntoSilence)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    OutputStage stage;
    std::vector<float> samples{2.0f, -3.0f, 0.5f, nan, inf, -inf, 1.0f, -1.0f};
    float* channel = samples.data();
    stage.process(&channel, 1, 8);
    EXPECT_EQ(samples, (std::vector<float>{1.0f, -1.0f, 0.5f, 0.0f, 1.0f, -1.0f, 1.0f, -1.0f}));

    stage.setGainTarget(nan);
    stage.setGainTarget(inf);
    EXPECT_EQ(stage.getGainTarget(), 1.0f);
}

TEST(OutputStage, EmptyBlocksStillMoveTheGain)
{
    // No channels: the ramp still takes one step per sample, as a one-channel block would.
    OutputStage withoutChannels;
    OutputStage withOneChannel;
    withoutChannels.setGainTarget(0.25f);
    withOneChannel.setGainTarget(0.25f);
    withoutChannels.process(nullptr, 0, 512);
    Buffer one(1, 512, 0.0f);
    process(withOneChannel, one);
    EXPECT_LT(withoutChannels.getSmoothedGain(), 0.5f);
    EXPECT_EQ(withoutChannels.getSmoothedGain(), withOneChannel.getSmoothedGain());

    // No samples: a ramp takes no step, but a gain within 1e-6 of its target snaps to it.
    const float before = withoutChannels.getSmoothedGain();
    Buffer empty(2, 0, 0.0f);
    process(withoutChannels, empty);
    EXPECT_EQ(withoutChannels.getSmoothedGain(), before);
    withoutChannels.setGainTarget(before + 5e-7f);
    process(withoutChannels, empty);
    EXPECT_EQ(withoutChannels.getSmoothedGain(), before + 5e-7f);
}

} // namespace
} // namespace halvo
