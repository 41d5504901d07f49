#include "PluginHost.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace halvo::test
{

const char* formatName(PluginFormat format)
{
    return format == PluginFormat::vst3 ? "VST3" : "LV2";
}

namespace
{
std::uint32_t fourCharCode(const char* code)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(code[i]);
    return value;
}

// JUCE's VST3 client names its component class by the manufacturer and plug-in codes, and JUCE's
// host identifies a class by this hash of its four words.
int halvoVst3ClassId()
{
    const std::uint32_t classWords[] = {0xABCDEF01u, 0x9182FAEBu,
                                        fourCharCode(HALVO_MANUFACTURER_CODE),
                                        fourCharCode(HALVO_PLUGIN_CODE)};
    std::uint32_t hash = 0;
    for (const auto word : classWords)
        hash = hash * 31 + word;
    return static_cast<int>(hash);
}

// Halvo's own description among what the format finds; never just the first plug-in found, as
// other plug-ins may be installed where the hosts look (JUCE's LV2 host searches the system's
// LV2 folders too).
std::unique_ptr<juce::PluginDescription> findHalvo(PluginFormat format,
                                                   juce::AudioPluginFormat& hostFormat)
{
    juce::OwnedArray<juce::PluginDescription> types;
    if (format == PluginFormat::vst3)
    {
        const auto bundle = juce::File(HALVO_VST3_BINARY)
                                .getParentDirectory()
                                .getParentDirectory()
                                .getParentDirectory();
        hostFormat.findAllTypesForFile(types, bundle.getFullPathName());
    }
    else
    {
        const auto folder = juce::File(HALVO_LV2_BINARY).getParentDirectory().getParentDirectory();
        hostFormat.searchPathsForPlugins(juce::FileSearchPath(folder.getFullPathName()), true,
                                         false);
        hostFormat.findAllTypesForFile(types, HALVO_LV2_URI);
    }

    for (const auto* type : types)
        if (format == PluginFormat::lv2 ? type->fileOrIdentifier == HALVO_LV2_URI
                                        : type->uniqueId == halvoVst3ClassId())
            return std::make_unique<juce::PluginDescription>(*type);
    return nullptr;
}
} // namespace

std::unique_ptr<juce::AudioPluginInstance> loadBuiltPlugin(PluginFormat format, double sampleRate,
                                                           int blockSize)
{
    std::unique_ptr<juce::AudioPluginFormat> hostFormat;
    if (format == PluginFormat::vst3)
        hostFormat = std::make_unique<juce::VST3PluginFormat>();
    else
        hostFormat = std::make_unique<juce::LV2PluginFormat>();

    const auto halvo = findHalvo(format, *hostFormat);
    if (halvo == nullptr)
    {
        ADD_FAILURE() << "Halvo not found as " << formatName(format);
        return nullptr;
    }

    juce::String error;
    auto instance = hostFormat->createInstanceFromDescription(*halvo, sampleRate, blockSize, error);
    if (instance == nullptr)
        ADD_FAILURE() << "could not load " << formatName(format) << ": " << error;
    return instance;
}

juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& instance,
                                             const juce::String& name)
{
    for (auto* parameter : instance.getParameters())
        if (parameter->getName(100) == name)
            return parameter;
    return nullptr;
}

} // namespace halvo::test
