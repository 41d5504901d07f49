#pragma once

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

struct KnobStyle
{
    int frameSize;
    float skirtRadius;
    float capRadius;
    juce::Colour capTop;
    juce::Colour capBottom;
    juce::Colour skirtTop;
    juce::Colour skirtBottom;
    juce::Colour pointer;
    juce::Colour pointerShade;
};

KnobStyle aluminiumKnob();
KnobStyle greenKnob();
KnobStyle redKnob();

// One frame at `scale` pixels per unit, the pointer at `angle` (radians clockwise from twelve
// o'clock), transparent around.
juce::Image paintKnobFrame(const KnobStyle& style, float angle, int scale);

// 128 frames stacked vertically: frame k shows position k / 126, frame 127 the maximum again.
juce::Image paintKnobFilmstrip(const KnobStyle& style, int scale);

} // namespace halvo::artwork
