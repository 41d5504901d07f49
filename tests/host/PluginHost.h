#pragma once

#include "../support/FindParameter.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace halvo::test
{

enum class PluginFormat
{
    vst3,
    lv2,
    vst2
};

const char* formatName(PluginFormat format);

// Loads the built plug-in through JUCE's own hosting classes, as a host application would.
std::unique_ptr<juce::AudioPluginInstance>
loadBuiltPlugin(PluginFormat format, double sampleRate = 44100.0, int blockSize = 512);

} // namespace halvo::test
