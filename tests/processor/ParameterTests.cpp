#include "engine/MurmelAudioProcessor.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <thread>

namespace halvo::test
{

TEST(ParameterTable, NamesDefaultsAndTextsAsHostsSeeThem)
{
    MurmelAudioProcessor processor;
    const char* names[] = {"DelayTime", "DelayFeedback", "OSC", "Rate", "Mode", "Reverb", "Gain"};
    const float defaults[] = {0.5f, 0.5f, 0.5f, 0.005f, 0.0f, 0.5f, 0.9f};
    auto& parameters = processor.getParameters();
    ASSERT_EQ(processor.getNumParameters(), 7);
    ASSERT_EQ(parameters.size(), 7);
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(processor.getParameterName(i), names[i]);
        EXPECT_EQ(processor.getParameter(i), defaults[i]);
        EXPECT_EQ(processor.getParameterDefaultValue(i), defaults[i]);
        auto* parameter = parameters[i];
        EXPECT_EQ(parameter->getName(100), names[i]);
        EXPECT_EQ(parameter->getDefaultValue(), defaults[i]);
        EXPECT_EQ(parameter->getValue(), defaults[i]);
        auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*>(parameter);
        ASSERT_NE(withId, nullptr);
        EXPECT_EQ(withId->getParameterID(), names[i]);
    }
    EXPECT_EQ(processor.getParameterText(3), "0.005");
    EXPECT_EQ(processor.getParameterText(6), "0.9");
    EXPECT_EQ(parameters[3]->getText(0.123456789f, 100), "0.123457");
    EXPECT_EQ(parameters[3]->getText(0.00001f, 100), "1e-05");
    EXPECT_EQ(parameters[0]->getText(0.0f, 100), "0");
    EXPECT_FLOAT_EQ(parameters[6]->getValueForText("0.25"), 0.25f);
}

TEST(ParameterTable, IndicesOutsideTheTableDoNothing)
{
    MurmelAudioProcessor processor;
    processor.parametersChanged.store(false);
    processor.setParameter(7, 0.3f);
    processor.setParameter(-1, 0.3f);
    EXPECT_FALSE(processor.parametersChanged.load());
    EXPECT_EQ(processor.getParameter(7), 0.0f);
    EXPECT_EQ(processor.getParameterName(7), "");
    EXPECT_EQ(processor.getParameterText(-1), "");
    EXPECT_EQ(processor.getParameterDefaultValue(9), 0.0f);
}

TEST(ParameterTable, HostWritesTakeTheSameRoadAsEveryOtherWriter)
{
    MurmelAudioProcessor processor;
    processor.parametersChanged.store(false);
    processor.getParameters()[2]->setValue(1.0f);
    EXPECT_EQ(processor.getParameter(2), 1.0f);
    EXPECT_EQ(processor.engine.oscillator.getWaveform(), 2);
    EXPECT_TRUE(processor.parametersChanged.load());
}

TEST(ParameterConversions, WaveformAndModeRoundHalvesAwayFromZero)
{
    MurmelAudioProcessor processor;
    const std::pair<float, int> waveforms[] = {{0.2499f, 0}, {0.25f, 1}, {0.7499f, 1},
                                               {0.75f, 2},   {1.0f, 2},  {2.0f, 4}};
    for (const auto& [value, code] : waveforms)
    {
        processor.setParameter(oscIndex, value);
        EXPECT_EQ(processor.engine.oscillator.getWaveform(), code) << value;
    }
    const std::pair<float, int> modes[] = {{0.0f, 0}, {1.0f, 6}, {-0.5f, -3}, {0.5f, 3}};
    for (const auto& [value, code] : modes)
    {
        processor.setParameter(modeIndex, value);
        EXPECT_EQ(processor.engine.oscillator.getMode(), code) << value;
    }
    processor.setParameter(modeIndex, 1.0e30f);
    EXPECT_EQ(processor.engine.oscillator.getMode(), std::numeric_limits<int>::max());
}

TEST(ParameterConversions, GainInDecibelsWithTheFloorAtMinus100)
{
    EXPECT_EQ(outputGainFor(0.9f), 1.0f);
    EXPECT_NEAR(outputGainFor(0.0f), 3.162e-5f, 1e-8f);
    EXPECT_NEAR(outputGainFor(1.0f), 3.1623f, 1e-4f);
    EXPECT_EQ(outputGainFor(-0.1f), 0.0f);
    EXPECT_EQ(outputGainFor(-5.0f), 0.0f);
}

TEST(ParameterConversions, DelayTimeFollowsTheHostRateWithinTheDelayLimits)
{
    MurmelAudioProcessor processor;
    processor.prepareToPlay(44100.0, 512);
    const std::pair<float, float> times[] = {{0.0f, 4410.0f},  {0.5f, 24255.0f},
                                             {1.0f, 44100.0f}, {100.0f, 192000.0f},
                                             {-1.0f, 100.0f},  {3.4e38f, 192000.0f}};
    for (const auto& [value, samples] : times)
    {
        processor.setParameter(delayTimeIndex, value);
        EXPECT_FLOAT_EQ(processor.engine.delay.getTargetDelay(), samples) << value;
    }
    processor.prepareToPlay(48000.0, 512);
    processor.setParameter(delayTimeIndex, 1.0f);
    EXPECT_FLOAT_EQ(processor.engine.delay.getTargetDelay(), 48000.0f);
}

TEST(ParameterConversions, RateFeedbackAndReverbSettings)
{
    MurmelAudioProcessor processor;
    processor.setParameter(rateIndex, -0.5f);
    EXPECT_FLOAT_EQ(processor.engine.oscillator.getSweepRate(), 10.0f);
    processor.setParameter(delayFeedbackIndex, 1.0f);
    EXPECT_FLOAT_EQ(processor.engine.delay.getTargetFeedback(), 1.1f);
    processor.setParameter(reverbIndex, 0.0f);
    EXPECT_EQ(processor.engine.reverb.getLineGain(0), 0.0f);
}

// Far beyond the range the formulas leave the float range: the setting becomes the largest finite
// one instead of staying on the previous value.
TEST(ParameterConversions, SettingsBeyondTheFloatRangeFollowTheStoredValue)
{
    MurmelAudioProcessor processor;
    processor.setParameter(gainIndex, 0.5f);
    processor.setParameter(gainIndex, 9.0f);
    EXPECT_EQ(processor.outputStage.getGainTarget(), FLT_MAX);
    processor.setParameter(delayFeedbackIndex, 0.5f);
    processor.setParameter(delayFeedbackIndex, 1.0e37f);
    EXPECT_EQ(processor.engine.delay.getTargetFeedback(), FLT_MAX);
    processor.setParameter(delayFeedbackIndex, -FLT_MAX);
    EXPECT_EQ(processor.engine.delay.getTargetFeedback(), -FLT_MAX);

    // The loudest gain clips every sample to full scale; silence stays silent.
    OutputStage stage;
    stage.setGainTarget(outputGainFor(9.0f));
    std::array<float, 48> samples{};
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = i % 3 == 0 ? 0.25f : (i % 3 == 1 ? -0.25f : 0.0f);
    float* channels[] = {samples.data()};
    stage.process(channels, 1, static_cast<int>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(samples[i], i % 3 == 0 ? 1.0f : (i % 3 == 1 ? -1.0f : 0.0f)) << i;
}

TEST(ParameterConversions, NonFiniteValuesAreIgnored)
{
    MurmelAudioProcessor processor;
    processor.parametersChanged.store(false);
    for (int index = 0; index < numParameters; ++index)
    {
        const float before = processor.getParameter(index);
        processor.setParameter(index, std::nanf(""));
        processor.setParameter(index, -INFINITY);
        EXPECT_EQ(processor.getParameter(index), before);
    }
    EXPECT_FALSE(processor.parametersChanged.load());
}

TEST(ParameterWriters, RacingWritersLeaveTheSettingOnTheStoredValue)
{
    // Two writers of one parameter at once, as a controller on the audio thread and automation
    // may be: afterwards the engine must run at the setting of the value that stayed stored.
    // The writers spin rather than wait so that their writes really meet.
    MurmelAudioProcessor processor;
    FdnReverb expectedReverb(44100.0f, 0.0f, 0.5f);
    constexpr int rounds = 10000;
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    auto write = [&processor](float feedback, float reverb)
    {
        processor.setParameter(delayFeedbackIndex, feedback);
        processor.setParameter(reverbIndex, reverb);
    };
    std::thread other(
        [&]
        {
            for (int round = 1; round <= rounds; ++round)
            {
                while (started.load() < round)
                {
                }
                write(0.799f, 0.7f);
                finished.store(round);
            }
        });

    int mismatches = 0;
    for (int round = 1; round <= rounds; ++round)
    {
        started.store(round);
        write(0.299f, 0.2f);
        while (finished.load() < round)
        {
        }
        const float feedback = processor.getParameter(delayFeedbackIndex);
        mismatches += processor.engine.delay.getTargetFeedback() != delayFeedbackFor(feedback);
        expectedReverb.setDecayTime(reverbDecayFor(processor.getParameter(reverbIndex)));
        for (int line = 0; line < FdnReverb::numLines; ++line)
            mismatches +=
                processor.engine.reverb.getLineGain(line) != expectedReverb.getLineGain(line);
    }
    other.join();
    EXPECT_EQ(mismatches, 0);
}

TEST(ParameterWriters, AutomationRacingARateChangeLeavesTheDelayOnItsValueAtTheNewRate)
{
    // prepareToPlay on one thread while automation writes DelayTime on another: afterwards the
    // automation's value is stored and the delay length is derived from it at the new rate.
    MurmelAudioProcessor processor;
    constexpr int rounds = 4000;
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    auto written = [](int round) { return round % 2 == 0 ? 0.2f : 0.5f; };
    auto rate = [](int round) { return round % 2 == 0 ? 96000.0f : 44100.0f; };
    std::thread automation(
        [&]
        {
            for (int round = 1; round <= rounds; ++round)
            {
                while (started.load() < round)
                {
                }
                processor.setParameter(delayTimeIndex, written(round));
                finished.store(round);
            }
        });

    int mismatches = 0;
    for (int round = 1; round <= rounds; ++round)
    {
        started.store(round);
        processor.prepareToPlay(rate(round), 512);
        while (finished.load() < round)
        {
        }
        mismatches += processor.getParameter(delayTimeIndex) != written(round);
        mismatches +=
            processor.engine.delay.getTargetDelay() != delaySamplesFor(written(round), rate(round));
    }
    automation.join();
    EXPECT_EQ(mismatches, 0);
}

} // namespace halvo::test
