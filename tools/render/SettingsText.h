#pragma once

#include "parameters/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <array>

namespace halvo::render
{

// "Rate 0.05 (1 Hz)": the stored value and what it means to the instrument.
juce::String describeParameter(int parameterIndex, float value);

juce::String describeParameters(const std::array<float, numParameters>& values);

// "Controllers: Gain CC 74, Rate CC 1 on channel 2", or empty without assignments.
juce::String describeControllers(const std::array<int, numParameters>& assignments,
                                 int midiChannel);

} // namespace halvo::render
