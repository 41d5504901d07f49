#pragma once

#include <juce_core/juce_core.h>

namespace halvo::render
{

inline constexpr juce::int64 maxStateFileBytes = 1 << 20;

// Reads a saved state block; throws RenderError if the file cannot be read.
juce::MemoryBlock loadStateFile(const juce::File& file);

} // namespace halvo::render
