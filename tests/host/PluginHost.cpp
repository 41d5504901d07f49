#include "PluginHost.h"

#include <gtest/gtest.h>

namespace halvo::test
{

const char* formatName(PluginFormat format)
{
    return format == PluginFormat::vst3 ? "VST3" : "LV2";
}

namespace
{
juce::OwnedArray<juce::PluginDescription> findTypes(PluginFormat format,
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
        // LV2 bundles are found by URI after a search of the folder that holds them.
        const auto folder = juce::File(HALVO_LV2_BINARY).getParentDirectory().getParentDirectory();
        for (const auto& uri : hostFormat.searchPathsForPlugins(
                 juce::FileSearchPath(folder.getFullPathName()), true, false))
            hostFormat.findAllTypesForFile(types, uri);
    }
    return types;
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

    const auto types = findTypes(format, *hostFormat);
    if (types.isEmpty())
    {
        ADD_FAILURE() << "no plug-in found for " << formatName(format);
        return nullptr;
    }

    juce::String error;
    auto instance =
        hostFormat->createInstanceFromDescription(*types[0], sampleRate, blockSize, error);
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
