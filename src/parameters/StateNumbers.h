#pragma once

#include <juce_core/juce_core.h>

namespace halvo
{

// A parameter value read as juce::String::getFloatValue reads it, with two differences: an
// exponent too long for JUCE's int accumulator is held at nine digits (same infinity or zero, no
// overflow), and a finite number beyond the float range is held at the largest float instead of
// becoming infinite, so that every value a save writes ("3.40283e+38") is read back. "nan", "inf"
// and exponents beyond the double range still yield NaN or infinity.
float readStateFloat(const juce::String& text);

// A decimal integer: leading white space, one sign, digits up to the first non-digit (none read
// 0), held at the int range instead of overflowing.
int readStateInteger(const juce::String& text);

} // namespace halvo
