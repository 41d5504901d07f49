#pragma once

#include <juce_core/juce_core.h>

namespace halvo
{

// A parameter value read as juce::String::getFloatValue reads it, where that is defined: an
// exponent too long for an int is held at nine digits (the result is the same infinity or zero),
// and a finite number beyond the float range is held at the largest float, so that every value a
// block can carry is read back. "nan", "inf" and overflowing exponents still yield NaN or infinity.
float readStateFloat(const juce::String& text);

// A decimal integer: leading white space, one sign, digits up to the first non-digit (none read
// 0), held at the int range instead of overflowing.
int readStateInteger(const juce::String& text);

} // namespace halvo
