#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

namespace halvo::artwork
{

inline constexpr int panelWidth = 623;
inline constexpr int panelHeight = 289;

// The pointer sweep of every filmstrip, also the arc of the scale ticks painted around the knobs:
// from about seven o'clock to about five o'clock, angles clockwise from twelve o'clock.
inline constexpr float knobStartAngle = -2.4435f;
inline constexpr float knobEndAngle = 2.4435f;
inline constexpr int knobFrameCount = 128;
inline constexpr int knobLastPositionFrame = 126;

inline float knobAngle(float position)
{
    return knobStartAngle + position * (knobEndAngle - knobStartAngle);
}

// A knob of the editor: where it sits, its legend and the scale painted around it.
struct KnobPlace
{
    juce::Rectangle<int> bounds;
    juce::Rectangle<int> valueLabel;
    const char* name;
    const char* minimumText;
    const char* maximumText;
    int tickCount;
};

// Positions of the editor's controls; the legends are laid out around them.
inline const std::array<KnobPlace, 6> knobPlaces{{
    {{25, 85, 50, 50}, {28, 137, 44, 24}, "GAIN", "-90", "+10 dB", 11},
    {{160, 85, 50, 50}, {163, 137, 44, 24}, "RATE", "0", "20 Hz", 11},
    {{246, 85, 50, 50}, {250, 137, 44, 24}, "MODE", "1", "7", 7},
    {{63, 224, 40, 40}, {62, 266, 44, 24}, "AMOUNT", "0", "100 %", 11},
    {{192, 224, 40, 40}, {191, 266, 44, 24}, "TIME", "0.1", "1 s", 11},
    {{260, 224, 40, 40}, {262, 266, 44, 24}, "FEEDBACK", "0", "110 %", 11},
}};

inline const juce::Rectangle<int> logoArea{0, 0, 146, 30};
inline const juce::Rectangle<int> midiLearnArea{554, 0, 69, 30};
inline const juce::Rectangle<int> scopeArea{385, 30, 216, 258};
inline const juce::Rectangle<int> waveformColumn{322, 112, 36, 95};
inline constexpr int headerHeight = 30;

} // namespace halvo::artwork
