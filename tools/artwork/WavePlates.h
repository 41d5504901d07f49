#pragma once

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

enum class Waveform
{
    sine,
    saw,
    square
};

// A 30 x 27 translucent plate with the waveform's glyph: dim when `selected` is false, white when
// true.
juce::Image paintWavePlate(Waveform waveform, bool selected);

} // namespace halvo::artwork
