#include "../support/DefaultStateText.h"
#include "../support/FindParameter.h"
#include "../support/MeasureFrequency.h"
#include "../support/PlainSineA4.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

// Loads the Windows modules through JUCE's hosting classes, as a Windows host would (run under
// wine64), and checks the facts the Linux host test checks.
namespace halvo::test
{
namespace
{
enum class Format
{
    vst3,
    vst2
};

std::string printFormat(const testing::TestParamInfo<Format>& info)
{
    return info.param == Format::vst3 ? "VST3" : "VST2";
}

// The modules built beside this test, unless the environment names others (the installer test
// loads the installed ones).
juce::String moduleBinary(Format format)
{
    const auto vst3 = format == Format::vst3;
    return juce::SystemStats::getEnvironmentVariable(vst3 ? "HALVO_VST3_BINARY"
                                                          : "HALVO_VST_BINARY",
                                                     vst3 ? HALVO_VST3_BINARY : HALVO_VST_BINARY);
}

std::unique_ptr<juce::AudioPluginInstance> loadModule(Format format)
{
    std::unique_ptr<juce::AudioPluginFormat> host;
    if (format == Format::vst3)
        host = std::make_unique<juce::VST3PluginFormat>();
    else
        host = std::make_unique<juce::VSTPluginFormat>();
    // JUCE's Windows VST3 host opens the binary inside the bundle itself.
    const auto module = moduleBinary(format);
    juce::OwnedArray<juce::PluginDescription> types;
    host->findAllTypesForFile(types, module);
    if (types.isEmpty())
    {
        ADD_FAILURE() << "no plug-in found in " << module;
        return nullptr;
    }
    juce::String error;
    auto instance = host->createInstanceFromDescription(*types[0], 44100.0, 512, error);
    if (instance == nullptr)
        ADD_FAILURE() << "could not load " << module << ": " << error;
    return instance;
}

// Our state block: the VST 2.4 chunk itself, or inside the VST3 component state.
juce::MemoryBlock pluginBlock(juce::AudioPluginInstance& instance, Format format)
{
    juce::MemoryBlock chunk;
    if (format == Format::vst2)
        return juce::VSTPluginFormat::getChunkData(&instance, chunk, false) ? chunk
                                                                            : juce::MemoryBlock();
    juce::MemoryBlock hostState;
    instance.getStateInformation(hostState);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(hostState.getData(),
                                                            static_cast<int>(hostState.getSize()));
    juce::MemoryBlock data;
    if (xml == nullptr ||
        !data.fromBase64Encoding(xml->getChildElementAllSubText("IComponent", {})) ||
        data.getSize() < 8)
        return {};
    const auto length =
        static_cast<std::size_t>(juce::ByteOrder::littleEndianInt(data.begin() + 4)) + 9;
    return length <= data.getSize() ? juce::MemoryBlock(data.getData(), length)
                                    : juce::MemoryBlock();
}

VstIntPtr hostCallback(AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

class WindowsModule : public testing::TestWithParam<Format>
{
};
} // namespace

TEST_P(WindowsModule, ShowsItsIdentity)
{
    const auto instance = loadModule(GetParam());
    ASSERT_NE(instance, nullptr);
    const auto description = instance->getPluginDescription();
    EXPECT_EQ(description.descriptiveName, "Halvo");
    EXPECT_EQ(description.manufacturerName, "Drovask");
    EXPECT_TRUE(description.isInstrument);
    if (GetParam() == Format::vst3)
    {
        EXPECT_EQ(description.name, "Halvo");
        EXPECT_EQ(description.version, "1.0.0");
    }
    else
    {
        // JUCE's VST 2.4 host names a module after its file and reads the vendor version (100)
        // in its own encoding, so neither is checked here.
        EXPECT_EQ(description.uniqueId, 0x48614472); // HaDr
    }
    EXPECT_TRUE(instance->acceptsMidi());
    EXPECT_FALSE(instance->producesMidi());
    EXPECT_TRUE(instance->hasEditor());
}

TEST_P(WindowsModule, OffersSevenParametersWithValuesAndTexts)
{
    const auto instance = loadModule(GetParam());
    ASSERT_NE(instance, nullptr);
    const char* names[] = {"DelayTime", "DelayFeedback", "OSC", "Rate", "Mode", "Reverb", "Gain"};
    const float defaults[] = {0.5f, 0.5f, 0.5f, 0.005f, 0.0f, 0.5f, 0.9f};
    const char* texts[] = {"0.5", "0.5", "0.5", "0.005", "0", "0.5", "0.9"};
    for (int i = 0; i < 7; ++i)
    {
        auto* parameter = findParameter(*instance, names[i]);
        ASSERT_NE(parameter, nullptr) << names[i];
        EXPECT_NEAR(parameter->getValue(), defaults[i], 1e-6f) << names[i];
        EXPECT_EQ(parameter->getCurrentValueAsText(), texts[i]) << names[i];
    }
}

TEST_P(WindowsModule, NoteA4SoundsAt440HzWithinFullScale)
{
    const auto instance = loadModule(GetParam());
    ASSERT_NE(instance, nullptr);
    const auto played = playPlainSineA4(*instance);
    EXPECT_TRUE(played.withinFullScale);
    EXPECT_GT(played.lastBlockMagnitude, 0.05f);
    EXPECT_NEAR(measureFrequency(played.left, played.left.size() / 2, plainSineRate), 440.0, 0.05);
}

TEST_P(WindowsModule, DefaultStateIsTheFullBlock)
{
    const auto instance = loadModule(GetParam());
    ASSERT_NE(instance, nullptr);
    const auto block = pluginBlock(*instance, GetParam());
    ASSERT_EQ(block.getSize(), 427u);
    EXPECT_EQ(juce::ByteOrder::littleEndianInt(block.begin()), 0x21324356u);
    EXPECT_EQ(std::string(block.begin() + 8, block.getSize() - 9), defaultStateText);
    EXPECT_EQ(block[426], 0);
}

// Older hosts look for "main" instead of "VSTPluginMain"; each call makes a new instance.
TEST(WindowsVst2Module, BothEntryPointsMakeAnInstance)
{
    juce::DynamicLibrary module;
    ASSERT_TRUE(module.open(moduleBinary(Format::vst2)));
    for (const auto* name : {"VSTPluginMain", "main"})
    {
        const auto entry =
            reinterpret_cast<AEffect* (*)(audioMasterCallback)>(module.getFunction(name));
        ASSERT_NE(entry, nullptr) << name;
        auto* effect = entry(&hostCallback);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_EQ(effect->uniqueID, 0x48614472) << name;
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, WindowsModule, testing::Values(Format::vst3, Format::vst2),
                         printFormat);

} // namespace halvo::test
