#pragma once

#include "Performance.h"

#include <juce_core/juce_core.h>

#include <optional>

namespace halvo::render
{

// Reads a Standard MIDI File: all tracks merged, times in seconds through the file's tempo map,
// marker texts kept as labels. Throws RenderError if the file cannot be read or is not MIDI.
Performance loadMidiFile(const juce::File& file);

// Nothing if the stream does not hold a Standard MIDI File.
std::optional<Performance> readMidiFile(juce::InputStream& input, const juce::String& title);

} // namespace halvo::render
