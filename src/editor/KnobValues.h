#pragma once

#include "parameters/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <array>

namespace halvo
{

// The window shows parameters in their own units; these are the conversions both ways and the
// texts of the value labels.

// Lower end and span of the DelayTime knob in seconds. Single-precision values, used widened to
// double by the knob's range and by the conversion, so the knob's lower end sends exactly 0.
inline constexpr float delayTimeMinimumSeconds = 0.1f;
inline constexpr float delayTimeSpanSeconds = 0.9f;

// The normalised value a knob of the given parameter sends for a value in its own unit.
float normalisedFromKnob(int parameterIndex, double knobValue) noexcept;

struct DisplayedValues
{
    float delayTimeSeconds;
    float delayFeedbackPercent;
    float rateHz;
    int mode;
    float reverbPercent;
    int gainDecibels;
    int waveform;
};

// What the knobs and labels show for the seven normalised values (indexed by parameter).
DisplayedValues displayedValuesFor(const std::array<float, numParameters>& normalised) noexcept;

// Towards zero, held at the ends of the int range (a stored value may be far outside 0..1).
int truncateTowardZero(float value) noexcept;

// |value| × 10^decimals + 0.5, truncated, printed with exactly that many decimals, at least one
// digit before the point and a minus sign for a negative value: ties round up in magnitude.
juce::String fixedDecimalText(double value, int decimals);

juce::String gainText(int decibels);
juce::String rateText(float hz);
juce::String modeText(int mode);
juce::String percentText(float percent);
juce::String delayTimeText(float seconds);

} // namespace halvo
