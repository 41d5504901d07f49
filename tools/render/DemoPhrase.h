#pragma once

#include "Performance.h"

namespace halvo::render
{

inline constexpr double demoPhraseLengthSeconds = 20.0;

// The built-in phrase: one note each on sine, saw and square, one note for each of the seven
// sweep modes, then an arpeggio into long echoes and reverb.
Performance demoPhrase();

inline constexpr double presetPhraseLengthSeconds = 6.0;

// A short phrase that leaves every parameter as the preset set it: a held low note for the
// sweep, a quick arpeggio for the echoes, and a held note into the tail.
Performance presetPhrase(const juce::String& presetName);

} // namespace halvo::render
