#include "ProcessorHarness.h"

#include "../support/MeasureFrequency.h"
#include "HalvoIdentity.h"
#include "engine/SineWaveVoice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace halvo::test
{
namespace
{

void setPlainSine(MurmelAudioProcessor& processor)
{
    processor.setParameter(oscIndex, 0.0f);
    processor.setParameter(rateIndex, 0.0f);
    processor.setParameter(modeIndex, 0.0f);
    processor.setParameter(delayFeedbackIndex, 0.0f);
    processor.setParameter(reverbIndex, 0.0f);
}

bool allFiniteAndClipped(const std::vector<std::vector<float>>& channels)
{
    for (const auto& channel : channels)
        for (const float sample : channel)
            if (!std::isfinite(sample) || sample > 1.0f || sample < -1.0f)
                return false;
    return true;
}

float peak(const std::vector<float>& samples, std::size_t from = 0)
{
    float result = 0.0f;
    for (std::size_t i = from; i < samples.size(); ++i)
        result = std::max(result, std::fabs(samples[i]));
    return result;
}

} // namespace

TEST(ProcessorIdentity, AnswersHostsAsTheInstrument)
{
    MurmelAudioProcessor processor;
    EXPECT_EQ(processor.getName(), identity::productName);
    EXPECT_EQ(processor.getName(), "Halvo");
    EXPECT_TRUE(processor.acceptsMidi());
    EXPECT_FALSE(processor.producesMidi());
    EXPECT_TRUE(processor.hasEditor());
    EXPECT_FALSE(processor.silenceInProducesSilenceOut());
    EXPECT_EQ(processor.getTailLengthSeconds(), 0.0);
    EXPECT_EQ(processor.getInputChannelName(0), "1");
    EXPECT_EQ(processor.getOutputChannelName(1), "2");
    EXPECT_TRUE(processor.isOutputChannelStereoPair(5));
    EXPECT_EQ(processor.getNumPrograms(), 1);
    EXPECT_EQ(processor.getCurrentProgram(), 0);
    EXPECT_EQ(processor.getProgramName(0), "Default");
    EXPECT_EQ(processor.getProgramName(3), "Other");
}

TEST(ProcessorIdentity, AcceptsOnlyStereoAndMonoPairs)
{
    MurmelAudioProcessor processor;
    using Set = juce::AudioChannelSet;
    auto layout = [](Set in, Set out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add(in);
        l.outputBuses.add(out);
        return l;
    };
    EXPECT_TRUE(processor.checkBusesLayoutSupported(layout(Set::stereo(), Set::stereo())));
    EXPECT_TRUE(processor.checkBusesLayoutSupported(layout(Set::mono(), Set::mono())));
    EXPECT_FALSE(processor.checkBusesLayoutSupported(layout(Set::disabled(), Set::stereo())));
    EXPECT_FALSE(processor.checkBusesLayoutSupported(layout(Set::stereo(), Set::mono())));
    EXPECT_FALSE(
        processor.checkBusesLayoutSupported(layout(Set::create5point1(), Set::create5point1())));
}

TEST(ProcessorConstruction, StartsAtTheDefaultPatch)
{
    MurmelAudioProcessor processor;
    EXPECT_TRUE(processor.parametersChanged.load());
    EXPECT_EQ(processor.scopeCount.load(), 512);
    EXPECT_EQ(processor.learnParameterIndex.load(), -1);
    EXPECT_FALSE(processor.midiLearnEnabled.load());
    EXPECT_EQ(processor.midiChannel.load(), 0);
    for (const auto& assignment : processor.midiMap)
        EXPECT_EQ(assignment.load(), -1);

    const auto& oscillator = processor.engine.oscillator;
    EXPECT_EQ(oscillator.getWaveform(), 1);
    EXPECT_FLOAT_EQ(oscillator.getSweepRate(), 0.1f);
    EXPECT_EQ(oscillator.getMode(), 0);
    EXPECT_FLOAT_EQ(processor.engine.delay.getTargetFeedback(), 0.55f);
    EXPECT_EQ(processor.outputStage.getGainTarget(), 1.0f);
}

TEST(ProcessorPrepare, FollowsTheHostRateAndIgnoresNonsenseRates)
{
    MurmelAudioProcessor processor;
    processor.prepareToPlay(48000.0, 512);
    EXPECT_FLOAT_EQ(processor.engine.delay.getTargetDelay(), 0.55f * 48000.0f);

    for (const double bad : {0.0, -44100.0, std::nan(""), HUGE_VAL})
    {
        processor.prepareToPlay(bad, 512);
        EXPECT_EQ(processor.currentSampleRate.load(), 48000.0f);
        EXPECT_FLOAT_EQ(processor.engine.delay.getTargetDelay(), 0.55f * 48000.0f);
    }
}

TEST(ProcessorPrepare, SilencesThePitchButKeepsTheGate)
{
    ProcessorHarness harness;
    harness.render(512, ProcessorHarness::noteOn(69));
    EXPECT_GT(harness.processor.engine.oscillator.getBaseFrequency(), 0.0f);
    harness.processor.prepareToPlay(44100.0, 512);
    EXPECT_EQ(harness.processor.engine.oscillator.getBaseFrequency(), 0.0f);
    EXPECT_EQ(harness.processor.engine.oscillator.getGateLevel(), 0.5f);
}

class PitchAtHostRate : public testing::TestWithParam<double>
{
};

TEST_P(PitchAtHostRate, NoteA4SoundsAt440Hz)
{
    const double rate = GetParam();
    ProcessorHarness harness(rate);
    setPlainSine(harness.processor);
    const auto out = harness.render(static_cast<int>(rate * 1.5), ProcessorHarness::noteOn(69));
    EXPECT_NEAR(measureFrequency(out[0], static_cast<std::size_t>(rate * 0.5), rate), 440.0, 0.05);
    EXPECT_FLOAT_EQ(harness.processor.engine.oscillator.getBaseFrequency(),
                    440.0f * 44100.0f / static_cast<float>(rate));
}

INSTANTIATE_TEST_SUITE_P(HostRates, PitchAtHostRate, testing::Values(44100.0, 48000.0, 96000.0));

TEST(ProcessorNotes, LastNoteWinsAndOnlyItsReleaseCloses)
{
    ProcessorHarness harness;
    auto& oscillator = harness.processor.engine.oscillator;

    juce::MidiBuffer hold60AndPress64;
    hold60AndPress64.addEvent(juce::MidiMessage::noteOn(1, 60, 0.8f), 0);
    hold60AndPress64.addEvent(juce::MidiMessage::noteOn(1, 64, 0.8f), 10);
    harness.render(512, hold60AndPress64);
    EXPECT_FLOAT_EQ(oscillator.getBaseFrequency(), noteFrequency(64));

    juce::MidiBuffer release60;
    release60.addEvent(juce::MidiMessage::noteOff(1, 60), 0);
    harness.render(512, release60);
    EXPECT_EQ(oscillator.getGateLevel(), 0.5f);

    juce::MidiBuffer release64;
    release64.addEvent(juce::MidiMessage::noteOff(1, 64), 0);
    harness.render(512, release64);
    EXPECT_EQ(oscillator.getGateLevel(), 0.0f);
}

TEST(ProcessorNotes, OnlyAReleaseOnTheNotesOwnChannelCloses)
{
    ProcessorHarness harness;
    auto& oscillator = harness.processor.engine.oscillator;
    harness.render(512, ProcessorHarness::noteOn(60, 3));

    juce::MidiBuffer releaseElsewhere;
    releaseElsewhere.addEvent(juce::MidiMessage::noteOff(4, 60), 0);
    harness.render(512, releaseElsewhere);
    EXPECT_EQ(oscillator.getGateLevel(), 0.5f);

    juce::MidiBuffer release;
    release.addEvent(juce::MidiMessage::noteOff(3, 60), 0);
    harness.render(512, release);
    EXPECT_EQ(oscillator.getGateLevel(), 0.0f);
}

TEST(ProcessorNotes, AnyChannelPlaysAndVelocityIsIgnored)
{
    ProcessorHarness soft;
    ProcessorHarness loud;
    soft.processor.midiChannel.store(1);
    juce::MidiBuffer softNote;
    softNote.addEvent(juce::MidiMessage::noteOn(10, 57, static_cast<juce::uint8>(1)), 0);
    juce::MidiBuffer loudNote;
    loudNote.addEvent(juce::MidiMessage::noteOn(10, 57, static_cast<juce::uint8>(127)), 0);
    const auto a = soft.render(4096, softNote);
    const auto b = loud.render(4096, loudNote);
    EXPECT_GT(peak(a[0]), 0.01f);
    EXPECT_EQ(a, b);
}

TEST(ProcessorNotes, ANoteLateInTheBlockSoundsFromItsFirstSample)
{
    ProcessorHarness early;
    ProcessorHarness late;
    setPlainSine(early.processor);
    setPlainSine(late.processor);
    EXPECT_EQ(early.render(512, ProcessorHarness::noteOn(69, 1, 0)),
              late.render(512, ProcessorHarness::noteOn(69, 1, 300)));
}

TEST(ProcessorBlocks, HandlesEveryBlockSizeAndCapturesTheScope)
{
    for (const int blockSize : {0, 1, 100, 16384, 20000})
    {
        ProcessorHarness harness(44100.0, 2, std::max(blockSize, 1));
        juce::AudioBuffer<float> buffer(2, blockSize);
        buffer.clear();
        auto midi = ProcessorHarness::noteOn(60);
        harness.processor.processBlock(buffer, midi);
        EXPECT_TRUE(midi.isEmpty());
        EXPECT_EQ(harness.processor.scopeCount.load(), std::min(blockSize, 512)) << blockSize;
        for (int c = 0; c < 2; ++c)
        {
            for (int i = 0; i < blockSize; ++i)
                ASSERT_TRUE(std::isfinite(buffer.getSample(c, i)));
        }
        if (blockSize > 0)
        {
            EXPECT_EQ(harness.processor.scopeBuffer[0].load(), buffer.getSample(0, 0));
        }
    }
}

TEST(ProcessorBlocks, LongBlocksKeepTheToneAndNeverPassTheInput)
{
    ProcessorHarness harness(44100.0, 2, 20000);
    harness.render(20000, ProcessorHarness::noteOn(69));
    juce::AudioBuffer<float> buffer(2, 20000);
    buffer.clear();
    for (int i = 16384; i < 20000; ++i)
        buffer.setSample(0, i, 0.75f);
    juce::MidiBuffer none;
    harness.processor.processBlock(buffer, none);

    std::vector<float> tail(buffer.getReadPointer(0) + 16384, buffer.getReadPointer(0) + 20000);
    EXPECT_GT(peak(tail), 0.05f);
    int samplesAtInputLevel = 0;
    for (const float sample : tail)
        samplesAtInputLevel += std::fabs(sample - 0.75f) < 1e-6f ? 1 : 0;
    EXPECT_LT(samplesAtInputLevel, 10);
}

TEST(ProcessorBlocks, ScopeKeepsOlderEntriesBeyondAShortBlock)
{
    ProcessorHarness harness(44100.0, 2, 1024);
    harness.render(1024, ProcessorHarness::noteOn(69));
    const float entry200 = harness.processor.scopeBuffer[200].load();
    juce::AudioBuffer<float> buffer(2, 100);
    juce::MidiBuffer none;
    harness.processor.processBlock(buffer, none);
    EXPECT_EQ(harness.processor.scopeCount.load(), 100);
    EXPECT_EQ(harness.processor.scopeBuffer[200].load(), entry200);
}

TEST(ProcessorChannels, StereoCarriesADifferentReverbMixOnTheRight)
{
    ProcessorHarness mono(44100.0, 1);
    ProcessorHarness stereo(44100.0, 2);
    const auto m = mono.render(22050, ProcessorHarness::noteOn(62));
    const auto s = stereo.render(22050, ProcessorHarness::noteOn(62));
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(s[0], s[1]);
    EXPECT_NE(m[0], s[0]);
    EXPECT_TRUE(allFiniteAndClipped(m));
    EXPECT_TRUE(allFiniteAndClipped(s));
}

TEST(ProcessorOutput, GainScalesEveryChannel)
{
    ProcessorHarness loud;
    ProcessorHarness quiet;
    quiet.processor.setParameter(gainIndex, 0.9f - 0.2f); // -20 dB
    const auto a = loud.render(44100 * 2, ProcessorHarness::noteOn(60));
    const auto b = quiet.render(44100 * 2, ProcessorHarness::noteOn(60));
    for (int c = 0; c < 2; ++c)
        EXPECT_NEAR(peak(b[static_cast<std::size_t>(c)], 44100) /
                        peak(a[static_cast<std::size_t>(c)], 44100),
                    0.1f, 0.002f);
}

TEST(ProcessorOutput, StaysClippedAndFiniteWhateverTheHostSends)
{
    ProcessorHarness harness;
    for (int index = 0; index < numParameters; ++index)
        for (const float value : {1.0e30f, -1.0e30f, 1000.0f, -3.0f, NAN, INFINITY})
            harness.processor.setParameter(index, value);
    const auto out = harness.render(44100, ProcessorHarness::noteOn(127));
    EXPECT_TRUE(allFiniteAndClipped(out));
}

} // namespace halvo::test
