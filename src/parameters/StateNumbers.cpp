#include "parameters/StateNumbers.h"

#include <cfloat>
#include <climits>
#include <cmath>

namespace halvo
{
namespace
{
constexpr int longestExponent = 9;

// JUCE accumulates the exponent in an int; more than nine significant digits overflow it.
juce::String withExponentHeldAtNineDigits(const juce::String& text)
{
    const auto start = text.getCharPointer();
    auto p = start.findEndOfWhitespace();
    if (*p == '-' || *p == '+')
        ++p;
    for (bool pointSeen = false;;)
    {
        if (p.isDigit())
            ++p;
        else if (!pointSeen && *p == '.')
        {
            pointSeen = true;
            ++p;
        }
        else
            break;
    }
    if (*p != 'e' && *p != 'E')
        return text;
    ++p;
    if (*p == '-' || *p == '+')
        ++p;
    const auto exponentStart = p;
    while (*p == '0')
        ++p;
    int significantDigits = 0;
    for (auto q = p; q.isDigit(); ++q)
        ++significantDigits;
    if (significantDigits <= longestExponent)
        return text;
    return juce::String(start, exponentStart) + juce::String::repeatedString("9", longestExponent);
}
} // namespace

float readStateFloat(const juce::String& text)
{
    const double value = withExponentHeldAtNineDigits(text).getDoubleValue();
    if (std::isfinite(value) && std::fabs(value) > static_cast<double>(FLT_MAX))
        return value > 0.0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(value);
}

int readStateInteger(const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = (p.getAndAdvance() == '-');
    long long value = 0;
    constexpr long long beyondRange = static_cast<long long>(INT_MAX) + 1;
    while (p.isDigit())
    {
        value = value * 10 + (p.getAndAdvance() - '0');
        if (value > beyondRange)
            value = beyondRange;
    }
    if (negative)
        value = -value;
    return static_cast<int>(juce::jlimit<long long>(INT_MIN, INT_MAX, value));
}

} // namespace halvo
