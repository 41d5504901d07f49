#include "../support/DefaultStateText.h"
#include "PluginHost.h"

#include <gtest/gtest.h>

#include <string>

namespace halvo::test
{
namespace
{
juce::MemoryBlock blockWithText(const std::string& text)
{
    juce::MemoryOutputStream out;
    out.writeInt(0x21324356);
    out.writeInt(static_cast<int>(text.size()));
    out.write(text.data(), text.size());
    out.writeByte(0);
    return out.getMemoryBlock();
}

std::string withElement(std::string text, const std::string& name, const std::string& value)
{
    const auto start = text.find("<" + name + ">") + name.size() + 2;
    return text.replace(start, text.find("</" + name + ">") - start, value);
}

// Our state block as the host carries it: the VST 2.4 chunk itself, inside the VST3 component
// state (followed by JUCE's trailer) or encoded by JUCE in the LV2 state.
juce::MemoryBlock pluginBlock(juce::AudioPluginInstance& instance, PluginFormat format)
{
    juce::MemoryBlock hostState;
    instance.getStateInformation(hostState);
    juce::MemoryBlock data;
    if (format == PluginFormat::vst2)
    {
        if (!juce::VSTPluginFormat::getChunkData(&instance, data, false))
            return {};
    }
    else if (format == PluginFormat::vst3)
    {
        const auto xml = juce::AudioProcessor::getXmlFromBinary(
            hostState.getData(), static_cast<int>(hostState.getSize()));
        if (xml == nullptr ||
            !data.fromBase64Encoding(xml->getChildElementAllSubText("IComponent", {})))
            return {};
    }
    else
    {
        const auto encoded = hostState.toString()
                                 .fromFirstOccurrenceOf(":StateString> \"", false, false)
                                 .upToFirstOccurrenceOf("\"", false, false);
        if (!data.fromBase64Encoding(encoded))
            return {};
    }
    if (data.getSize() < 9)
        return {};
    const auto length = static_cast<std::size_t>(juce::ByteOrder::littleEndianInt(
                            static_cast<const char*>(data.getData()) + 4)) +
                        9;
    return length <= data.getSize() ? juce::MemoryBlock(data.getData(), length)
                                    : juce::MemoryBlock();
}

std::string pluginText(juce::AudioPluginInstance& instance, PluginFormat format)
{
    const auto block = pluginBlock(instance, format);
    return block.getSize() < 9
               ? std::string()
               : std::string(static_cast<const char*>(block.getData()) + 8, block.getSize() - 9);
}

// Hands our block to the instance the way its host would.
void restorePluginBlock(juce::AudioPluginInstance& instance, PluginFormat format,
                        const juce::MemoryBlock& block)
{
    if (format == PluginFormat::vst2)
    {
        juce::VSTPluginFormat::setChunkData(&instance, block.getData(),
                                            static_cast<int>(block.getSize()), false);
        return;
    }
    juce::MemoryBlock hostState;
    if (format == PluginFormat::vst3)
    {
        juce::XmlElement state("VST3PluginState");
        state.createNewChildElement("IComponent")->addTextElement(block.toBase64Encoding());
        juce::AudioProcessor::copyXmlToBinary(state, hostState);
    }
    else
    {
        instance.getStateInformation(hostState);
        const auto current = pluginBlock(instance, format).toBase64Encoding();
        const auto text = hostState.toString().replace(current, block.toBase64Encoding());
        hostState = juce::MemoryBlock(text.toRawUTF8(), text.getNumBytesAsUTF8());
    }
    instance.setStateInformation(hostState.getData(), static_cast<int>(hostState.getSize()));
}

// The LV2 host exchanges parameter values only inside a run.
void run(juce::AudioPluginInstance& instance, const juce::MidiBuffer& midi = {})
{
    juce::AudioBuffer<float> buffer(2, 512);
    buffer.clear();
    juce::MidiBuffer copy(midi);
    instance.processBlock(buffer, copy);
}

class HostControllersAndState : public testing::TestWithParam<PluginFormat>
{
};

std::string printFormat(const testing::TestParamInfo<PluginFormat>& info)
{
    return formatName(info.param);
}
} // namespace

TEST_P(HostControllersAndState, AControllerMessageMovesItsMappedParameter)
{
    const auto instance = loadBuiltPlugin(GetParam());
    ASSERT_NE(instance, nullptr);
    instance->prepareToPlay(44100.0, 512);
    ASSERT_EQ(pluginText(*instance, GetParam()), defaultStateText);

    restorePluginBlock(*instance, GetParam(),
                       blockWithText(withElement(defaultStateText, "midiMapGain", "74")));
    run(*instance);
    ASSERT_NE(pluginText(*instance, GetParam()).find("<midiMapGain>74<"), std::string::npos);

    juce::MidiBuffer midi;
    midi.addEvent(juce::MidiMessage::controllerEvent(1, 74, 0), 0);
    run(*instance, midi);
    run(*instance);

    const auto text = pluginText(*instance, GetParam());
    EXPECT_NE(text.find("<Gain>0</Gain>"), std::string::npos) << text;
    if (GetParam() == PluginFormat::lv2)
    {
        EXPECT_EQ(findParameter(*instance, "Gain")->getValue(), 0.0f);
    }
    instance->releaseResources();
}

// VST3 has no controller events: JUCE's client offers hidden parameters for every controller on
// every channel and turns their changes back into controller messages.
TEST(HostVst3Controllers, ArriveThroughJucesEmulatedParameters)
{
    const auto instance = loadBuiltPlugin(PluginFormat::vst3);
    ASSERT_NE(instance, nullptr);
    int emulated = 0;
    for (auto* parameter : instance->getParameters())
        emulated += parameter->getName(100).startsWith("MIDI CC") ? 1 : 0;
    EXPECT_EQ(emulated, 16 * 130);
}

TEST_P(HostControllersAndState, StateSavedFromOneInstanceRestoresIntoAnother)
{
    const auto first = loadBuiltPlugin(GetParam());
    ASSERT_NE(first, nullptr);
    first->prepareToPlay(44100.0, 512);
    std::string text = withElement(defaultStateText, "midiMapFM", "74");
    text = withElement(text, "idxMidiChannel", "3");
    restorePluginBlock(*first, GetParam(), blockWithText(text));
    run(*first);
    findParameter(*first, "Gain")->setValue(0.3f);
    findParameter(*first, "OSC")->setValue(1.0f);
    run(*first);

    juce::MemoryBlock saved;
    first->getStateInformation(saved);
    const auto savedBlock = pluginBlock(*first, GetParam());
    const auto savedText = pluginText(*first, GetParam());
    EXPECT_NE(savedText.find("<Gain>0.3</Gain>"), std::string::npos) << savedText;
    EXPECT_NE(savedText.find("<OSC>1</OSC>"), std::string::npos) << savedText;
    EXPECT_NE(savedText.find("<midiMapFM>74</midiMapFM>"), std::string::npos) << savedText;

    const auto second = loadBuiltPlugin(GetParam());
    ASSERT_NE(second, nullptr);
    second->prepareToPlay(44100.0, 512);
    second->setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    run(*second);

    juce::MemoryBlock savedAgain;
    second->getStateInformation(savedAgain);
    EXPECT_EQ(pluginBlock(*second, GetParam()), savedBlock);
    EXPECT_EQ(savedAgain, saved);
    EXPECT_FLOAT_EQ(findParameter(*second, "Gain")->getValue(), 0.3f);
    EXPECT_FLOAT_EQ(findParameter(*second, "OSC")->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(findParameter(*second, "Rate")->getValue(), 0.005f);
}

INSTANTIATE_TEST_SUITE_P(Formats, HostControllersAndState,
                         testing::Values(PluginFormat::vst3, PluginFormat::lv2, PluginFormat::vst2),
                         printFormat);

} // namespace halvo::test
