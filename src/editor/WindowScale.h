#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace halvo
{

// The scale a plug-in window is drawn at, from what the host says and what the desktop asks for.
// A host that sends a scale other than 1 is followed. The framework's clients pass 1 both when the
// host sent 1 and when it sent nothing, so 1 means "no word" and the desktop's scale applies,
// unless the host is known to always send its own interface scale (then 1 is its choice).
float chooseWindowScale(float hostScale, float desktopScale, bool hostAlwaysSendsOne) noexcept;

// Whether the host in this process always tells windows of this format its interface scale:
// Ardour does for VST3 views and LV2 interfaces (its "GUI and Font scaling"), 100 % included.
bool hostSendsItsOwnScale(juce::AudioProcessor::WrapperType format);

} // namespace halvo
