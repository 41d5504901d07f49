#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace halvo::test
{
namespace
{
// Records what the host would be told.
struct HostRecorder : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        changes.emplace_back(index, value);
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin(juce::AudioProcessor*, int) override
    {
        ++gestures;
    }
    void audioProcessorParameterChangeGestureEnd(juce::AudioProcessor*, int) override
    {
        ++gestures;
    }

    std::vector<std::pair<int, float>> changes;
    int gestures = 0;
};

juce::MidiMessage controller(int channel, int number, int value)
{
    return juce::MidiMessage::controllerEvent(channel, number, value);
}

class ControllerStep : public testing::Test
{
protected:
    ControllerStep() { processor().addListener(&host); }
    ~ControllerStep() override { processor().removeListener(&host); }

    MurmelAudioProcessor& processor() { return harness.processor; }

    void assign(int parameter, int number)
    {
        processor().midiMap[static_cast<std::size_t>(parameter)].store(number);
    }

    void learn(int parameter)
    {
        processor().midiLearnEnabled.store(true);
        processor().learnParameterIndex.store(parameter);
    }

    void play(std::initializer_list<juce::MidiMessage> messages)
    {
        juce::MidiBuffer midi;
        int position = 0;
        for (const auto& message : messages)
            midi.addEvent(message, position++);
        juce::AudioBuffer<float> buffer(2, 64);
        processor().processBlock(buffer, midi);
        EXPECT_TRUE(midi.isEmpty());
    }

    float value(int parameter) { return processor().getParameterValue(parameter); }

    ProcessorHarness harness;
    HostRecorder host;
};
} // namespace

TEST_F(ControllerStep, ChannelFilterAcceptsAnyChannelOrOnlyTheChosenOne)
{
    assign(reverbIndex, 10);
    play({controller(2, 10, 127)});
    EXPECT_EQ(value(reverbIndex), 1.0f);

    processor().midiChannel.store(1);
    play({controller(2, 10, 0)});
    EXPECT_EQ(value(reverbIndex), 1.0f);
    play({controller(1, 10, 0)});

    processor().midiChannel.store(17);
    for (int channel = 1; channel <= 16; ++channel)
        play({controller(channel, 10, 127)});
}

TEST_F(ControllerStep, EveryParameterOnTheControllerFollowsItsCurveWithOneMessageEach)
{
    assign(rateIndex, 74);
    assign(gainIndex, 74);
    assign(modeIndex, 74);
    play({controller(1, 74, 64)});

    const float u = 64.0f / 127.0f;
    EXPECT_EQ(value(rateIndex), static_cast<float>(std::pow(double{u}, 2.0)));
    EXPECT_NEAR(value(rateIndex), 0.254f, 0.001f);
    EXPECT_EQ(value(gainIndex), static_cast<float>(std::pow(double{u}, 0.15)));
    EXPECT_NEAR(value(gainIndex), 0.902f, 0.001f);
    EXPECT_EQ(value(modeIndex), u);
    EXPECT_NEAR(processor().engine.oscillator.getSweepRate(), 5.08f, 0.01f);

    const std::vector<std::pair<int, float>> expected{
        {rateIndex, value(rateIndex)}, {modeIndex, u}, {gainIndex, value(gainIndex)}};
    EXPECT_EQ(host.changes, expected);
    EXPECT_EQ(host.gestures, 0);

    play({controller(1, 74, 127)});
    EXPECT_EQ(value(rateIndex), 1.0f);
    EXPECT_EQ(value(gainIndex), 1.0f);
    play({controller(1, 74, 0)});
    EXPECT_EQ(value(rateIndex), 0.0f);
    EXPECT_EQ(value(gainIndex), 0.0f);
}

TEST_F(ControllerStep, LearningAssignsEveryAcceptedControllerUntilSwitchedOff)
{
    assign(delayTimeIndex, 20);
    learn(modeIndex);
    play({controller(1, 20, 127)});
    EXPECT_EQ(processor().midiMap[modeIndex].load(), 20);
    EXPECT_EQ(processor().midiMap[delayTimeIndex].load(), 20);
    EXPECT_EQ(value(modeIndex), 1.0f);
    EXPECT_EQ(processor().engine.oscillator.getMode(), 6);

    play({controller(1, 21, 0)});
    EXPECT_EQ(processor().midiMap[modeIndex].load(), 21);
    EXPECT_EQ(value(modeIndex), 0.0f);
    EXPECT_TRUE(processor().midiLearnEnabled.load());

    processor().learnParameterIndex.store(-1);
    play({controller(1, 22, 64)});
    processor().learnParameterIndex.store(9);
    play({controller(1, 23, 64)});
    EXPECT_EQ(processor().midiMap[modeIndex].load(), 21);
    EXPECT_EQ(value(modeIndex), 0.0f);
}

TEST_F(ControllerStep, AnAssignedMessageBeingLearnedIsAppliedTwiceAndKeepsTheLearnCurve)
{
    assign(gainIndex, 7);
    learn(gainIndex);
    play({controller(1, 7, 64)});

    const double u = 64.0 / 127.0;
    const float mapped = static_cast<float>(std::pow(static_cast<double>(float(u)), 0.15));
    const float learned = static_cast<float>(std::pow(static_cast<double>(float(u)), 0.5));
    EXPECT_NEAR(learned, 0.710f, 0.001f);
    const std::vector<std::pair<int, float>> expected{{gainIndex, mapped}, {gainIndex, learned}};
    EXPECT_EQ(host.changes, expected);
    EXPECT_EQ(value(gainIndex), learned);
    EXPECT_NEAR(juce::Decibels::gainToDecibels(processor().outputStage.getGainTarget()), -19.0f,
                0.05f);

    processor().midiLearnEnabled.store(false);
    play({controller(1, 7, 64)});
    EXPECT_EQ(value(gainIndex), mapped);
}

TEST_F(ControllerStep, OnlyControlChangesTouchParametersOrAssignments)
{
    for (int i = 0; i < numParameters; ++i)
        assign(i, 1);
    learn(oscIndex);
    const auto before = processor().midiMap[oscIndex].load();
    processor().parametersChanged.store(false);

    const juce::uint8 sysex[] = {0x7e, 0x7f, 0x09, 0x01};
    play({juce::MidiMessage::pitchWheel(1, 16383), juce::MidiMessage::aftertouchChange(1, 60, 1),
          juce::MidiMessage::channelPressureChange(1, 1), juce::MidiMessage::programChange(1, 1),
          juce::MidiMessage::createSysExMessage(sysex, 4), juce::MidiMessage::midiClock(),
          juce::MidiMessage::noteOff(1, 1)});

    EXPECT_TRUE(host.changes.empty());
    EXPECT_FALSE(processor().parametersChanged.load());
    EXPECT_EQ(processor().midiMap[oscIndex].load(), before);
}

TEST_F(ControllerStep, AllControllersOfABlockActInBufferOrderBeforeItsNotes)
{
    assign(oscIndex, 5);
    juce::MidiBuffer midi;
    midi.addEvent(controller(1, 5, 127), 0);
    midi.addEvent(juce::MidiMessage::noteOn(1, 69, static_cast<juce::uint8>(100)), 10);
    midi.addEvent(controller(1, 5, 0), 60);
    juce::AudioBuffer<float> buffer(2, 64);
    processor().processBlock(buffer, midi);

    EXPECT_EQ(processor().engine.oscillator.getWaveform(), 0);
    EXPECT_GT(processor().engine.oscillator.getBaseFrequency(), 0.0f);
    EXPECT_GT(processor().engine.oscillator.getGateLevel(), 0.0f);
    EXPECT_EQ(host.changes.size(), 2u);
    EXPECT_TRUE(midi.isEmpty());
}

TEST_F(ControllerStep, ControllerSixtyFourOnAParameterIsStillTheSustainPedal)
{
    assign(reverbIndex, 64);
    const auto& oscillator = processor().engine.oscillator;
    play({juce::MidiMessage::noteOn(1, 60, static_cast<juce::uint8>(100)), controller(1, 64, 127),
          juce::MidiMessage::noteOff(1, 60)});
    EXPECT_NE(value(reverbIndex), parameterTable[reverbIndex].defaultValue);
    EXPECT_EQ(oscillator.getGateLevel(), 0.5f);

    play({controller(1, 64, 0)});
    EXPECT_EQ(oscillator.getGateLevel(), 0.0f);
}

TEST_F(ControllerStep, DataBytesAreReadAsSevenBits)
{
    learn(reverbIndex);
    const juce::uint8 raw[] = {0xb0, 0x8a, 0xff};
    juce::MidiBuffer midi;
    midi.addEvent(raw, 3, 0);
    juce::AudioBuffer<float> buffer(2, 64);
    processor().processBlock(buffer, midi);
    EXPECT_EQ(processor().midiMap[reverbIndex].load(), 10);
    EXPECT_EQ(value(reverbIndex), 1.0f);
}

} // namespace halvo::test
