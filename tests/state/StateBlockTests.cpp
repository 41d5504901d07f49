#include "../support/DefaultStateText.h"
#include "ProcessorHarness.h"

#include "parameters/StateFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace halvo::test
{
namespace
{
juce::MemoryBlock save(MurmelAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation(block);
    return block;
}

std::string textOf(const juce::MemoryBlock& block)
{
    return std::string(static_cast<const char*>(block.getData()) + 8, block.getSize() - 9);
}

void restore(MurmelAudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation(block.getData(), static_cast<int>(block.getSize()));
}

void restoreText(MurmelAudioProcessor& processor, const std::string& text)
{
    std::vector<char> block(8 + text.size() + 1, '\0');
    const std::uint32_t header[] = {stateMagic, static_cast<std::uint32_t>(text.size())};
    std::memcpy(block.data(), header, 8);
    std::memcpy(block.data() + 8, text.data(), text.size());
    processor.setStateInformation(block.data(), static_cast<int>(block.size()));
}
} // namespace

TEST(StateBlock, AFreshInstanceSavesTheDefaultBlockByteForByte)
{
    MurmelAudioProcessor processor;
    const auto block = save(processor);
    ASSERT_EQ(block.getSize(), 427u);
    const auto* bytes = static_cast<const unsigned char*>(block.getData());
    const unsigned char header[] = {0x56, 0x43, 0x32, 0x21, 0xa2, 0x01, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(bytes, header, 8), 0);
    EXPECT_EQ(textOf(block), defaultStateText);
    EXPECT_EQ(bytes[426], 0);

    MurmelAudioProcessor other;
    other.parametersChanged.store(false);
    restore(other, block);
    EXPECT_TRUE(other.parametersChanged.load());
    EXPECT_EQ(save(other), block);
}

TEST(StateBlock, SaveRestoreSaveIsIdenticalAndCarriesTheControllers)
{
    MurmelAudioProcessor first;
    first.setParameter(gainIndex, 0.123456789f);
    first.setParameter(modeIndex, -0.5f);
    first.setParameter(oscIndex, 1e-5f);
    first.midiMap[rateIndex].store(74);
    first.midiMap[reverbIndex].store(3);
    first.midiChannel.store(3);
    const auto block = save(first);
    const auto text = textOf(block);
    EXPECT_NE(text.find("<Gain>0.123457</Gain>"), std::string::npos);
    EXPECT_NE(text.find("<Mode>-0.5</Mode>"), std::string::npos);
    EXPECT_NE(text.find("<OSC>1e-05</OSC>"), std::string::npos);
    EXPECT_NE(text.find("<midiMapFM>74</midiMapFM>"), std::string::npos);
    EXPECT_NE(text.find("<midiMapReverb>3</midiMapReverb>"), std::string::npos);
    EXPECT_NE(text.find("<idxMidiChannel>3</idxMidiChannel>"), std::string::npos);

    MurmelAudioProcessor second;
    restore(second, block);
    EXPECT_EQ(save(second), block);
    EXPECT_EQ(second.midiMap[rateIndex].load(), 74);
    EXPECT_EQ(second.midiChannel.load(), 3);
}

TEST(StateBlock, RestoreReachesTheSoundNotJustTheStoredValues)
{
    ProcessorHarness harness(48000.0);
    auto& processor = harness.processor;
    restoreText(processor, "<Root><DelayTime>1</DelayTime><Gain>0.5</Gain><OSC>0</OSC>"
                           "<Mode>1</Mode><Rate>0.5</Rate><DelayFeedback>0</DelayFeedback>"
                           "<Reverb>0.2</Reverb></Root>");
    EXPECT_EQ(processor.engine.delay.getTargetDelay(), 48000.0f);
    EXPECT_EQ(processor.engine.delay.getTargetFeedback(), 0.0f);
    EXPECT_NEAR(processor.outputStage.getGainTarget(), 0.01f, 1e-7f);
    EXPECT_EQ(processor.engine.oscillator.getWaveform(), 0);
    EXPECT_EQ(processor.engine.oscillator.getMode(), 6);
    EXPECT_EQ(processor.engine.oscillator.getSweepRate(), 10.0f);

    const auto out = harness.render(4096, ProcessorHarness::noteOn(69));
    // Once the gain has glided to -40 dB.
    float peak = 0.0f;
    for (std::size_t i = 3072; i < out[0].size(); ++i)
        peak = std::max(peak, std::fabs(out[0][i]));
    EXPECT_GT(peak, 0.0f);
    EXPECT_LT(peak, 0.02f);
}

TEST(StateBlock, ExtremeValuesKeepTheSoundFiniteAndSurviveTheNextSave)
{
    for (const char* extreme : {"3.40283e+38", "-3.40283e+38", "1e30", "-1e30", "1e39"})
    {
        ProcessorHarness harness;
        auto& processor = harness.processor;
        std::string text = "<Root>";
        for (const char* name :
             {"OSC", "DelayTime", "Rate", "Mode", "Reverb", "Gain", "DelayFeedback"})
            text += std::string("<") + name + ">" + extreme + "</" + name + ">";
        restoreText(processor, text + "</Root>");

        const auto out = harness.render(8192, ProcessorHarness::noteOn(60));
        for (const auto& channel : out)
            for (const float sample : channel)
                ASSERT_TRUE(std::isfinite(sample) && std::fabs(sample) <= 1.0f) << extreme;

        // Six digits are all a save keeps; what it writes must read back to the same text.
        const auto block = save(processor);
        MurmelAudioProcessor other;
        restore(other, block);
        EXPECT_EQ(save(other), block) << extreme;
        MurmelAudioProcessor fresh;
        EXPECT_NE(save(other), save(fresh)) << extreme;
    }
}

TEST(StateBlock, RestoreTellsNoListenerOutsideLv2)
{
    struct Counter : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged(juce::AudioProcessor*, int, float) override
        {
            ++changes;
        }
        void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
        int changes = 0;
    } counter;
    MurmelAudioProcessor processor;
    processor.addListener(&counter);
    restoreText(processor, "<Root><Gain>0.2</Gain></Root>");
    processor.removeListener(&counter);
    EXPECT_EQ(processor.getParameterValue(gainIndex), 0.2f);
    EXPECT_EQ(counter.changes, 0);
}

} // namespace halvo::test
