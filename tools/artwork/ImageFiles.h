#pragma once

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// RGBA PNG (8 bits per channel, not interlaced).
bool writePng(const juce::Image& image, const juce::File& file);

// Baseline three-component JPEG; the image must be opaque.
bool writeJpeg(const juce::Image& image, const juce::File& file, float quality);

} // namespace halvo::artwork
