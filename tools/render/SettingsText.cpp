#include "SettingsText.h"

#include <charconv>

namespace halvo::render
{
namespace
{
juce::String threeDigits(double value)
{
    char text[32];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::general, 3);
    return juce::String(text, static_cast<size_t>(result.ptr - text));
}

juce::String meaning(int parameterIndex, float x)
{
    switch (parameterIndex)
    {
    case delayTimeIndex:
        return threeDigits(delaySamplesFor(x, 1.0f)) + " s";
    case delayFeedbackIndex:
        return threeDigits(delayFeedbackFor(x));
    case oscIndex:
        switch (waveformFor(x))
        {
        case 0:
            return "sine";
        case 1:
            return "saw";
        case 2:
            return "square";
        default:
            return "no waveform";
        }
    case rateIndex:
        return threeDigits(sweepRateFor(x)) + " Hz";
    case modeIndex:
        return "mode " + juce::String(sweepModeFor(x));
    case reverbIndex:
        return threeDigits(reverbDecayFor(x)) + " s decay";
    case gainIndex:
        return juce::String(x * 100.0f - 90.0f, 1) + " dB";
    default:
        return {};
    }
}
} // namespace

juce::String describeParameter(int parameterIndex, float value)
{
    return juce::String(parameterTable[static_cast<std::size_t>(parameterIndex)].name) + " " +
           juce::String(formatParameterValue(value)) + " (" + meaning(parameterIndex, value) + ")";
}

juce::String describeParameters(const std::array<float, numParameters>& values)
{
    juce::StringArray parts;
    for (int index = 0; index < numParameters; ++index)
        parts.add(describeParameter(index, values[static_cast<std::size_t>(index)]));
    return parts.joinIntoString("   ");
}

juce::String describeControllers(const std::array<int, numParameters>& assignments, int midiChannel)
{
    juce::StringArray parts;
    for (int index = 0; index < numParameters; ++index)
        if (const int controller = assignments[static_cast<std::size_t>(index)]; controller >= 0)
            parts.add(juce::String(parameterTable[static_cast<std::size_t>(index)].name) + " CC " +
                      juce::String(controller));
    if (parts.isEmpty())
        return {};
    return "Controllers: " + parts.joinIntoString(", ") +
           (midiChannel == 0 ? " on any channel" : " on channel " + juce::String(midiChannel));
}

} // namespace halvo::render
