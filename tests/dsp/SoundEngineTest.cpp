#include "engine/SoundEngine.h"
#include "../support/DefaultPatch.h"
#include "BitExact.h"
#include "ReferenceChain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace halvo
{
namespace
{

constexpr int totalSamples = 45000;

struct Stereo
{
    std::vector<float> left, right;
};

// The default patch, played by the per-sample model.
struct ChainModel
{
    reference::Oscillator oscillator;
    reference::Delay delay;
    reference::Reverb reverb;

    ChainModel()
    {
        oscillator.waveform = 1;
        oscillator.sweepIncrement = 0.1f / 44100.0f;
        oscillator.baseFrequency = 440.0f;
        oscillator.gateLevel = 0.5f;
        delay.targetDelay = 0.55f * 44100.0f;
        delay.targetFeedback = 0.55f;
        reverb.setDecayTime(5.0f);
    }

    // Mono, left and right.
    std::array<float, 3> next() { return reverb.next(delay.next(oscillator.next(0.0f))); }
};

Stereo modelOutput()
{
    ChainModel model;
    Stereo out{std::vector<float>(totalSamples), std::vector<float>(totalSamples)};
    for (std::size_t i = 0; i < out.left.size(); ++i)
    {
        const auto sample = model.next();
        out.left[i] = sample[1];
        out.right[i] = sample[2];
    }
    return out;
}

// Runs the chain over totalSamples in blocks of the given size, starting from buffers full of NaN
// so that anything the chain fails to overwrite shows.
Stereo renderInBlocks(int blockSize)
{
    SoundEngine engine;
    test::playDefaultPatch(engine);
    Stereo out{std::vector<float>(totalSamples), std::vector<float>(totalSamples)};
    std::vector<float> left(static_cast<std::size_t>(blockSize));
    std::vector<float> right(left.size());
    float* const channels[] = {left.data(), right.data()};
    for (int start = 0; start < totalSamples; start += blockSize)
    {
        const int count = std::min(blockSize, totalSamples - start);
        std::fill(left.begin(), left.end(), std::numeric_limits<float>::quiet_NaN());
        std::fill(right.begin(), right.end(), std::numeric_limits<float>::quiet_NaN());
        engine.processStereo(channels, count);
        std::copy_n(left.begin(), count, out.left.begin() + start);
        std::copy_n(right.begin(), count, out.right.begin() + start);
    }
    return out;
}

TEST(SoundEngine, StereoChainMatchesModelForAnyBlockSize)
{
    const Stereo expected = modelOutput();
    for (const int blockSize : {totalSamples, 1, 100, 512, 16384, 20000})
    {
        const Stereo actual = renderInBlocks(blockSize);
        EXPECT_TRUE(bitIdentical(actual.left, expected.left)) << "blocks of " << blockSize;
        EXPECT_TRUE(bitIdentical(actual.right, expected.right)) << "blocks of " << blockSize;
    }
}

TEST(SoundEngine, MonoChainUsesTheSumOfAllLines)
{
    SoundEngine engine;
    test::playDefaultPatch(engine);
    std::vector<float> channel(20000, std::numeric_limits<float>::quiet_NaN());
    engine.processMono(channel.data(), 20000);

    ChainModel model;
    std::vector<float> expected(20000);
    for (auto& sample : expected)
        sample = model.next()[0];
    EXPECT_TRUE(bitIdentical(channel, expected));
}

} // namespace
} // namespace halvo
