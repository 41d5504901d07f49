#include "editor/KnobValues.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace halvo
{

float normalisedFromKnob(int parameterIndex, double knobValue) noexcept
{
    switch (parameterIndex)
    {
    case delayTimeIndex:
        return static_cast<float>((knobValue - static_cast<double>(delayTimeMinimumSeconds)) /
                                  static_cast<double>(delayTimeSpanSeconds));
    case delayFeedbackIndex:
        return static_cast<float>(knobValue / 110.0);
    case oscIndex:
        return static_cast<float>(knobValue * 0.5);
    case rateIndex:
        return static_cast<float>(knobValue / 20.0);
    case modeIndex:
        return static_cast<float>(knobValue / 6.0);
    case reverbIndex:
        return static_cast<float>(knobValue / 100.0);
    case gainIndex:
        return static_cast<float>((knobValue + 90.0) / 100.0);
    default:
        return 0.0f;
    }
}

DisplayedValues displayedValuesFor(const std::array<float, numParameters>& normalised) noexcept
{
    const auto value = [&normalised](int index)
    { return normalised[static_cast<std::size_t>(index)]; };

    return {
        value(delayTimeIndex) * 0.9f + 0.1f,
        value(delayFeedbackIndex) * 110.0f,
        value(rateIndex) * 20.0f,
        roundHalfAwayFromZero(value(modeIndex) * 6.0f),
        value(reverbIndex) * 100.0f,
        truncateTowardZero(value(gainIndex) * 100.0f - 90.0f),
        roundHalfAwayFromZero(value(oscIndex) * 2.0f),
    };
}

int truncateTowardZero(float value) noexcept
{
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    const double truncated = std::trunc(static_cast<double>(value));
    if (!(truncated >= lowest))
        return std::numeric_limits<int>::min();
    if (truncated > highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(truncated);
}

juce::String gainText(int decibels)
{
    return juce::String(decibels) + " dB";
}

juce::String fixedDecimalText(double value, int decimals)
{
    if (!std::isfinite(value))
        return juce::String(value);

    // Printed from a whole number, so no formatting step can round a second time.
    const double scaled = std::trunc(std::fabs(value) * std::pow(10.0, decimals) + 0.5);
    char digitBuffer[400];
    std::snprintf(digitBuffer, sizeof(digitBuffer), "%.0f", scaled);
    std::string text(digitBuffer);
    const auto fractionDigits = static_cast<std::size_t>(std::max(decimals, 0));
    if (text.size() <= fractionDigits)
        text.insert(0, fractionDigits + 1 - text.size(), '0');
    if (fractionDigits > 0)
        text.insert(text.size() - fractionDigits, 1, '.');
    if (value < 0.0)
        text.insert(0, 1, '-');
    return juce::String(text);
}

juce::String rateText(float hz)
{
    // The thresholds are compared in double: the float nearest 0.01 is below it.
    const double rate = static_cast<double>(hz);
    const int decimals = rate < 0.01 ? 3 : (rate < 0.1 ? 2 : 1);
    return fixedDecimalText(static_cast<double>(hz), decimals) + " Hz";
}

juce::String modeText(int mode)
{
    // Widened so the highest stored mode cannot overflow.
    return juce::String(static_cast<juce::int64>(mode) + 1) + " / 7";
}

juce::String percentText(float percent)
{
    return juce::String(truncateTowardZero(percent)) + " %";
}

juce::String delayTimeText(float seconds)
{
    return fixedDecimalText(static_cast<double>(seconds), 2) + " s";
}

} // namespace halvo
