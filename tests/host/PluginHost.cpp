#include "PluginHost.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace halvo::test
{

const char* formatName(PluginFormat format)
{
    switch (format)
    {
    case PluginFormat::vst3:
        return "VST3";
    case PluginFormat::lv2:
        return "LV2";
    case PluginFormat::vst2:
        return "VST2";
    }
    return "";
}

namespace
{
// The plug-ins built beside this test, unless the environment names others (the package test
// loads the ones it unpacked).
juce::File pluginBinary(PluginFormat format)
{
    const char* variable = "HALVO_LV2_BINARY";
    const char* built = HALVO_LV2_BINARY;
    if (format == PluginFormat::vst3)
    {
        variable = "HALVO_VST3_BINARY";
        built = HALVO_VST3_BINARY;
    }
    else if (format == PluginFormat::vst2)
    {
        variable = "HALVO_VST_BINARY";
        built = HALVO_VST_BINARY;
    }
    const auto named = juce::SystemStats::getEnvironmentVariable(variable, {});
    return juce::File(named.isNotEmpty() ? named : juce::String(built));
}

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

bool isHalvo(PluginFormat format, const juce::PluginDescription& type)
{
    switch (format)
    {
    case PluginFormat::vst3:
        return type.uniqueId == halvoVst3ClassId();
    case PluginFormat::lv2:
        return type.fileOrIdentifier == HALVO_LV2_URI;
    case PluginFormat::vst2:
        return static_cast<std::uint32_t>(type.uniqueId) == fourCharCode(HALVO_PLUGIN_CODE);
    }
    return false;
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
        const auto bundle =
            pluginBinary(format).getParentDirectory().getParentDirectory().getParentDirectory();
        hostFormat.findAllTypesForFile(types, bundle.getFullPathName());
    }
    else if (format == PluginFormat::vst2)
    {
        hostFormat.findAllTypesForFile(types, pluginBinary(format).getFullPathName());
    }
    else
    {
        const auto folder = pluginBinary(format).getParentDirectory().getParentDirectory();
        hostFormat.searchPathsForPlugins(juce::FileSearchPath(folder.getFullPathName()), true,
                                         false);
        hostFormat.findAllTypesForFile(types, HALVO_LV2_URI);
    }

    for (const auto* type : types)
        if (isHalvo(format, *type))
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
    else if (format == PluginFormat::vst2)
        hostFormat = std::make_unique<juce::VSTPluginFormat>();
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

} // namespace halvo::test
