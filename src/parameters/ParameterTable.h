#pragma once

#include <array>
#include <string>

namespace halvo
{

// Parameter indices; every part of the program numbers parameters in this order.
enum ParameterIndex : int
{
    delayTimeIndex = 0,
    delayFeedbackIndex = 1,
    oscIndex = 2,
    rateIndex = 3,
    modeIndex = 4,
    reverbIndex = 5,
    gainIndex = 6,
};

inline constexpr int numParameters = 7;

struct ParameterInfo
{
    const char* name;
    float defaultValue;
};

inline constexpr std::array<ParameterInfo, numParameters> parameterTable{{
    {"DelayTime", 0.5f},
    {"DelayFeedback", 0.5f},
    {"OSC", 0.5f},
    {"Rate", 0.005f},
    {"Mode", 0.0f},
    {"Reverb", 0.5f},
    {"Gain", 0.9f},
}};

// The order in which a new instrument, in the plug-in or in the browser, applies the defaults.
inline constexpr std::array<int, numParameters> defaultsOrder{
    oscIndex, rateIndex, modeIndex, delayTimeIndex, delayFeedbackIndex, reverbIndex, gainIndex};

constexpr bool isParameterIndex(int index) noexcept
{
    return index >= 0 && index < numParameters;
}

// Nearest integer with halves away from zero; values beyond the int range are held at its ends.
int roundHalfAwayFromZero(float value) noexcept;

// Six significant digits, general notation, trailing zeros removed ("0.005", "0.123457", "1e-05").
std::string formatParameterValue(float value);

// Engine settings derived from a normalised value x.
float delaySamplesFor(float x, float sampleRate) noexcept;
float delayFeedbackFor(float x) noexcept;
int waveformFor(float x) noexcept;
float sweepRateFor(float x) noexcept;
int sweepModeFor(float x) noexcept;
float reverbDecayFor(float x) noexcept;
float outputGainFor(float x) noexcept;

} // namespace halvo
