// The generated .vstpreset and .fxp files, loaded into the built plug-ins the way hosts load them.
#include "PluginHost.h"

#include <gtest/gtest.h>

#include <map>
#include <string_view>

namespace halvo::test
{
namespace
{
constexpr int numFactoryPresets = 16;

// The files beside the build, unless the environment names another folder (the package test
// checks the installed ones).
juce::File presetFolder()
{
    const auto named = juce::SystemStats::getEnvironmentVariable("HALVO_PRESET_FOLDER", {});
    return juce::File(named.isNotEmpty() ? named : juce::String(HALVO_PRESET_FOLDER));
}

juce::Array<juce::File> presetFiles(const char* pattern)
{
    return presetFolder().findChildFiles(juce::File::findFiles, false, pattern,
                                         juce::File::FollowSymlinks::no);
}

// The parameter values in the state block somewhere inside these bytes, by element name.
std::map<juce::String, float> valuesInside(const juce::MemoryBlock& bytes)
{
    const std::string_view data(static_cast<const char*>(bytes.getData()), bytes.getSize());
    const auto start = data.find("<Root>");
    const auto end = data.find("</Root>");
    std::map<juce::String, float> values;
    if (start == std::string_view::npos || end == std::string_view::npos || end < start)
        return values;
    const auto text = data.substr(start, end + 7 - start);
    if (const auto root = juce::parseXML(juce::String(text.data(), text.size())))
        for (const auto* element : root->getChildIterator())
            if (!element->getTagName().startsWithIgnoreCase("midiMap") &&
                element->getTagName() != "idxMidiChannel")
                values[element->getTagName()] = element->getAllSubText().getFloatValue();
    return values;
}

// The component state JUCE's VST3 host saves for the instance.
juce::MemoryBlock vst3ComponentState(juce::AudioPluginInstance& instance)
{
    juce::MemoryBlock saved;
    instance.getStateInformation(saved);
    juce::MemoryBlock component;
    if (const auto xml = juce::AudioProcessor::getXmlFromBinary(saved.getData(),
                                                                static_cast<int>(saved.getSize())))
        if (const auto* element = xml->getChildByName("IComponent"))
            component.fromBase64Encoding(element->getAllSubText());
    return component;
}
// VST3PluginFormat::setStateFromVSTPresetFile, deprecated in JUCE 7 for this visitor, which
// makes the same call: the preset's component state into the component and its controller.
bool loadVst3Preset(juce::AudioPluginInstance& instance, const juce::MemoryBlock& preset)
{
    struct Loader final : juce::ExtensionsVisitor
    {
        explicit Loader(const juce::MemoryBlock& data) : presetData(data) {}
        void visitVST3Client(const VST3Client& client) override
        {
            loaded = client.setPreset(presetData);
        }
        const juce::MemoryBlock& presetData;
        bool loaded = false;
    } loader(preset);
    instance.getExtensions(loader);
    return loader.loaded;
}

// Each factory preset file matching the pattern, with the seven values its state block holds,
// handed to `check` with one instance of the format that loads it.
template <typename Check>
void checkEveryPresetFile(const char* pattern, PluginFormat format, Check check)
{
    const auto files = presetFiles(pattern);
    ASSERT_EQ(files.size(), numFactoryPresets) << presetFolder().getFullPathName();
    const auto instance = loadBuiltPlugin(format);
    ASSERT_NE(instance, nullptr);
    for (const auto& file : files)
    {
        SCOPED_TRACE(file.getFileName());
        juce::MemoryBlock bytes;
        ASSERT_TRUE(file.loadFileAsData(bytes));
        const auto expected = valuesInside(bytes);
        ASSERT_EQ(expected.size(), 7u);
        check(*instance, bytes, expected);
    }
}
} // namespace

TEST(BuiltVst3, LoadsEveryFactoryPresetFileIntoTheSameState)
{
    checkEveryPresetFile("*.vstpreset", PluginFormat::vst3,
                         [](juce::AudioPluginInstance& instance, const juce::MemoryBlock& preset,
                            const std::map<juce::String, float>& expected)
                         {
                             ASSERT_TRUE(loadVst3Preset(instance, preset));
                             EXPECT_EQ(valuesInside(vst3ComponentState(instance)), expected);
                         });
}

TEST(BuiltVst2, LoadsEveryFactoryProgramFile)
{
    checkEveryPresetFile("*.fxp", PluginFormat::vst2,
                         [](juce::AudioPluginInstance& instance, const juce::MemoryBlock& program,
                            const std::map<juce::String, float>& expected)
                         {
                             ASSERT_TRUE(juce::VSTPluginFormat::loadFromFXBFile(
                                 &instance, program.getData(), program.getSize()));
                             for (const auto& [name, value] : expected)
                             {
                                 auto* parameter = findParameter(instance, name);
                                 ASSERT_NE(parameter, nullptr) << name;
                                 EXPECT_EQ(parameter->getValue(), value) << name;
                             }
                         });
}

} // namespace halvo::test
