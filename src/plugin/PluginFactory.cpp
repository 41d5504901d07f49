#include "engine/MurmelAudioProcessor.h"

// The plug-in client's factory: one processor per plug-in instance, owned by the caller.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new halvo::MurmelAudioProcessor();
}
