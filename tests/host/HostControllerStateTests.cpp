#include "../support/DefaultStateText.h"
#include "PluginHost.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <optional>
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

namespace
{
// Our block as JUCE's VST3 client saves it: followed by a zero, its private tree, the tree's size
// and the "JUCEPrivateData" mark, here with a size and a tree of the test's choosing.
juce::MemoryBlock withVst3Trailer(const juce::MemoryBlock& block, const juce::MemoryBlock& tree,
                                  std::optional<std::uint64_t> declaredTreeSize = {})
{
    juce::MemoryOutputStream out;
    out.write(block.getData(), block.getSize());
    out.writeInt64(0);
    out.write(tree.getData(), tree.getSize());
    out.writeInt64(static_cast<juce::int64>(declaredTreeSize.value_or(tree.getSize())));
    out << "JUCEPrivateData";
    return out.getMemoryBlock();
}

juce::MemoryBlock privateTree(int depth, int childCount = 0)
{
    juce::MemoryOutputStream out;
    out.writeString("JUCEPrivateData");
    out.writeCompressedInt(1);
    out.writeString("Bypass");
    juce::var(false).writeToStream(out);
    out.writeCompressedInt(depth > 0 ? 1 : childCount);
    for (int level = 0; level < depth; ++level)
    {
        out.writeString("a");
        out.writeCompressedInt(0);
        out.writeCompressedInt(level + 1 < depth ? 1 : 0);
    }
    if (childCount > 0)
    {
        out.writeString("a");
        out.writeCompressedInt(0);
        out.writeCompressedInt(0);
    }
    return out.getMemoryBlock();
}

// Lets the process reserve only a little more address space while it lives, so that a reservation
// of gigabytes fails instead of passing unnoticed.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(std::uint64_t spareBytes)
    {
        getrlimit(RLIMIT_AS, &saved);
        std::uint64_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlimit limited{pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) + spareBytes,
                             saved.rlim_max};
        setrlimit(RLIMIT_AS, &limited);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit saved{};
};

void expectWorksWithGain(juce::AudioPluginInstance& instance, float gain)
{
    run(instance, juce::MidiBuffer(juce::MidiMessage::noteOn(1, 69, 1.0f)));
    EXPECT_FLOAT_EQ(findParameter(instance, "Gain")->getValue(), gain);
    juce::AudioBuffer<float> buffer(2, 512);
    juce::MidiBuffer midi;
    instance.processBlock(buffer, midi);
    EXPECT_GT(buffer.getMagnitude(0, 512), 0.0f);
}
} // namespace

// The trailer is JUCE's, read before any code of ours runs: a forged one must neither crash the
// host nor keep our block from being restored.
TEST(HostVst3State, AForgedTrailerLeavesTheBlockRestoredAndTheInstanceWorking)
{
    const auto block = blockWithText(withElement(defaultStateText, "Gain", "0.3"));
    const auto honestTree = privateTree(0);
    const auto stateSize = block.getSize() + honestTree.getSize() + 31;
    const std::uint64_t reachingBeforeTheStart = stateSize - 22;
    const std::uint64_t reachingPastTheEnd = ~std::uint64_t{0} - (std::uint64_t{1} << 31) + 1;
    const std::uint64_t huge = (std::uint64_t{1} << 40) + honestTree.getSize();

    struct Case
    {
        const char* name;
        juce::MemoryBlock state;
    };
    const Case cases[] = {
        {"honest", withVst3Trailer(block, honestTree)},
        {"before the start", withVst3Trailer(block, honestTree, reachingBeforeTheStart)},
        {"past the end", withVst3Trailer(block, honestTree, reachingPastTheEnd)},
        {"2^40 more than the tree", withVst3Trailer(block, honestTree, huge)},
        {"nested 400000 deep", withVst3Trailer(block, privateTree(400000))},
        {"2^31 children", withVst3Trailer(block, privateTree(0, 0x7fffffff))},
    };
    for (const auto& forged : cases)
    {
        SCOPED_TRACE(forged.name);
        const auto instance = loadBuiltPlugin(PluginFormat::vst3);
        ASSERT_NE(instance, nullptr);
        instance->prepareToPlay(44100.0, 512);
        {
            const AddressSpaceLimit limit(std::uint64_t{2} << 30);
            restorePluginBlock(*instance, PluginFormat::vst3, forged.state);
        }
        expectWorksWithGain(*instance, 0.3f);
    }
}

// JUCE's LV2 client allocates the size a state string declares before decoding it.
TEST(HostLv2State, AStateStringDeclaringAnImpossibleSizeIsRefused)
{
    for (const char* forged : {"-1.AAAA", "2000000000.AAAA", "99999999999999.AAAA"})
    {
        SCOPED_TRACE(forged);
        const auto instance = loadBuiltPlugin(PluginFormat::lv2);
        ASSERT_NE(instance, nullptr);
        instance->prepareToPlay(44100.0, 512);
        restorePluginBlock(*instance, PluginFormat::lv2,
                           blockWithText(withElement(defaultStateText, "Gain", "0.3")));
        run(*instance);

        juce::MemoryBlock hostState;
        instance->getStateInformation(hostState);
        const auto current = pluginBlock(*instance, PluginFormat::lv2).toBase64Encoding();
        const auto text = hostState.toString().replace(current, forged);
        {
            const AddressSpaceLimit limit(std::uint64_t{1} << 30);
            instance->setStateInformation(text.toRawUTF8(),
                                          static_cast<int>(text.getNumBytesAsUTF8()));
        }
        expectWorksWithGain(*instance, 0.3f);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, HostControllersAndState,
                         testing::Values(PluginFormat::vst3, PluginFormat::lv2, PluginFormat::vst2),
                         printFormat);

} // namespace halvo::test
