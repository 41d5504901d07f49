#include "parameters/ParameterTable.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace halvo
{
namespace
{
// A value far beyond its range may give a setting beyond the float range; the largest finite
// setting stands in, so that the engine still follows the stored value.
float withinFloatRange(float setting) noexcept
{
    return std::isinf(setting) ? std::copysign(FLT_MAX, setting) : setting;
}
} // namespace

int roundHalfAwayFromZero(float value) noexcept
{
    const double y = value;
    const double rounded = y >= 0.0 ? std::floor(y + 0.5) : std::ceil(y - 0.5);
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (!(rounded >= lowest))
        return std::numeric_limits<int>::min();
    if (rounded > highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

std::string formatParameterValue(float value)
{
    char text[32];
#if defined(__EMSCRIPTEN__)
    // Emscripten's C++ library has no floating-point to_chars. Its printf gives the same text, and
    // there no locale can change the decimal point.
    const int length = std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return std::string(text, static_cast<std::size_t>(length));
#else
    const auto result = std::to_chars(std::begin(text), std::end(text), static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(text, result.ptr);
#endif
}

float delaySamplesFor(float x, float sampleRate) noexcept
{
    return (x * 0.9f + 0.1f) * sampleRate;
}

float delayFeedbackFor(float x) noexcept
{
    return withinFloatRange(x * 110.0f / 100.0f);
}

int waveformFor(float x) noexcept
{
    return roundHalfAwayFromZero(x * 2.0f);
}

float sweepRateFor(float x) noexcept
{
    return std::fabs(x * 20.0f);
}

int sweepModeFor(float x) noexcept
{
    return roundHalfAwayFromZero(x * 6.0f);
}

float reverbDecayFor(float x) noexcept
{
    return x * 10.0f;
}

float outputGainFor(float x) noexcept
{
    const float decibels = x * 100.0f - 90.0f;
    if (!(decibels > -100.0f))
        return 0.0f;
    return static_cast<float>(std::min(std::pow(10.0, static_cast<double>(decibels) * 0.05),
                                       static_cast<double>(FLT_MAX)));
}

} // namespace halvo
