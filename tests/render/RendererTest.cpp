#include "Renderer.h"
#include "DemoPhrase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace halvo::render
{
namespace
{
struct Rendered
{
    std::vector<int> blockSizes;
    int channels = 0;
    std::vector<float> left;
};

Rendered render(MurmelAudioProcessor& processor, const Performance& performance,
                const RenderSettings& settings)
{
    prepareProcessor(processor, settings.numChannels, settings.sampleRate, settings.blockSize);
    Rendered rendered;
    renderPerformance(processor, findHostParameters(processor), performance, settings,
                      [&](const juce::AudioBuffer<float>& block)
                      {
                          rendered.blockSizes.push_back(block.getNumSamples());
                          rendered.channels = block.getNumChannels();
                          const float* samples = block.getReadPointer(0);
                          rendered.left.insert(rendered.left.end(), samples,
                                               samples + block.getNumSamples());
                      });
    return rendered;
}

float peakBetween(const std::vector<float>& samples, double from, double to, double rate)
{
    float peak = 0.0f;
    for (auto i = static_cast<std::size_t>(from * rate); i < static_cast<std::size_t>(to * rate);
         ++i)
        peak = std::max(peak, std::abs(samples[i]));
    return peak;
}

Performance heldNote(double seconds)
{
    Performance performance;
    performance.midi.push_back(
        {0.0, juce::MidiMessage::noteOn(1, 57, static_cast<juce::uint8>(100))});
    performance.midi.push_back({seconds, juce::MidiMessage::noteOff(1, 57)});
    performance.lengthSeconds = seconds;
    return performance;
}

TEST(Renderer, DeliversExactlyTheRequestedSamplesInBlocksOfTheChosenSize)
{
    for (const auto& [blockSize, channels] :
         {std::pair{512, 2}, std::pair{100, 1}, std::pair{20000, 2}, std::pair{1, 1}})
    {
        MurmelAudioProcessor processor;
        const auto rendered =
            render(processor, heldNote(0.1), {44100.0, blockSize, channels, 4410});
        EXPECT_EQ(rendered.channels, channels);
        ASSERT_FALSE(rendered.blockSizes.empty());
        for (std::size_t i = 0; i + 1 < rendered.blockSizes.size(); ++i)
            EXPECT_EQ(rendered.blockSizes[i], blockSize);
        EXPECT_EQ(rendered.left.size(), 4410u) << "block size " << blockSize;
        const auto fullBlocks = static_cast<int>(rendered.blockSizes.size()) - 1;
        EXPECT_EQ(rendered.blockSizes.back(), 4410 - fullBlocks * blockSize);
    }
}

TEST(Renderer, ControllersInThePerformanceReachTheirAssignedParameter)
{
    MurmelAudioProcessor processor;
    processor.midiMap[gainIndex].store(7);
    auto performance = heldNote(1.0);
    performance.midi.push_back({0.5, juce::MidiMessage::controllerEvent(1, 7, 0)});
    sortByTime(performance);

    const auto rendered = render(processor, performance, {44100.0, 512, 2, 44100});
    EXPECT_EQ(processor.getParameterValue(gainIndex), 0.0f);
    EXPECT_GT(peakBetween(rendered.left, 0.3, 0.5, 44100.0), 0.05f);
    EXPECT_LT(peakBetween(rendered.left, 0.6, 1.0, 44100.0), 1e-3f);
}

TEST(Renderer, ParameterChangesActFromTheirOwnBlockOnward)
{
    MurmelAudioProcessor processor;
    auto performance = heldNote(1.0);
    performance.parameterChanges.push_back({0.5, gainIndex, 0.0f});

    const auto rendered = render(processor, performance, {48000.0, 256, 1, 48000});
    // Gain glides with a time constant of 200 samples: loud up to the change, silent soon after.
    EXPECT_GT(peakBetween(rendered.left, 0.45, 0.5, 48000.0), 0.05f);
    EXPECT_LT(peakBetween(rendered.left, 0.55, 1.0, 48000.0), 1e-3f);
}

double correlation(const std::vector<float>& a, const std::vector<float>& b)
{
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        ab += static_cast<double>(a[i]) * b[i];
        aa += static_cast<double>(a[i]) * a[i];
        bb += static_cast<double>(b[i]) * b[i];
    }
    return ab / std::sqrt(aa * bb);
}

// Each preset through its phrase and tail, as halvo-render --preset plays it: finite, audible and
// unlike every other (a correlation near 1 would mean two presets differ in level at most).
TEST(Renderer, EveryFactoryPresetSoundsAndNoTwoSoundAlike)
{
    constexpr double rate = 44100.0;
    const auto totalSamples = static_cast<std::int64_t>((presetPhraseLengthSeconds + 2.0) * rate);
    std::vector<std::vector<float>> renders;
    for (const auto& preset : factoryPresets())
    {
        SCOPED_TRACE(preset.name);
        MurmelAudioProcessor processor;
        applyPreset(processor, preset);
        const auto rendered =
            render(processor, presetPhrase(preset.name), {rate, 512, 2, totalSamples});
        EXPECT_TRUE(std::all_of(rendered.left.begin(), rendered.left.end(),
                                [](float x) { return std::isfinite(x); }));
        EXPECT_GT(peakBetween(rendered.left, 0.0, presetPhraseLengthSeconds, rate), 0.05f);
        renders.push_back(rendered.left);
    }
    for (std::size_t a = 0; a < renders.size(); ++a)
        for (std::size_t b = a + 1; b < renders.size(); ++b)
            EXPECT_LT(std::abs(correlation(renders[a], renders[b])), 0.9)
                << factoryPresets()[a].name << " and " << factoryPresets()[b].name;
}

} // namespace
} // namespace halvo::render
