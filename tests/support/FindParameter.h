#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace halvo::test
{

// The hosted instance's parameter with the given name, or null.
inline juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& instance,
                                                    const juce::String& name)
{
    for (auto* parameter : instance.getParameters())
        if (parameter->getName(100) == name)
            return parameter;
    return nullptr;
}

} // namespace halvo::test
