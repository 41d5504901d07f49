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

// A 30 x 27 unit translucent plate with the waveform's glyph, at `scale` pixels per unit: dim when
// `selected` is false, white when true.
juce::Image paintWavePlate(Waveform waveform, bool selected, int scale);

} // namespace halvo::artwork
