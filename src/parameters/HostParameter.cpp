#include "parameters/HostParameter.h"

#include "engine/MurmelAudioProcessor.h"
#include "parameters/ParameterTable.h"

namespace halvo
{
namespace
{
const char* nameOf(int index)
{
    return parameterTable[static_cast<std::size_t>(index)].name;
}
} // namespace

// The parameter's name doubles as its ID, so automation recorded by hosts keeps binding.
HostParameter::HostParameter(MurmelAudioProcessor& owner, int tableIndex)
    : juce::AudioProcessorParameterWithID(juce::ParameterID{nameOf(tableIndex), 1},
                                          nameOf(tableIndex)),
      processor(owner), index(tableIndex)
{
}

float HostParameter::getValue() const
{
    return processor.getParameterValue(index);
}

void HostParameter::setValue(float newValue)
{
    processor.setParameter(index, newValue);
}

float HostParameter::getDefaultValue() const
{
    return parameterTable[static_cast<std::size_t>(index)].defaultValue;
}

juce::String HostParameter::getText(float value, int maximumStringLength) const
{
    const juce::String text(formatParameterValue(value));
    return maximumStringLength > 0 ? text.substring(0, maximumStringLength) : text;
}

float HostParameter::getValueForText(const juce::String& text) const
{
    return text.getFloatValue();
}

} // namespace halvo
