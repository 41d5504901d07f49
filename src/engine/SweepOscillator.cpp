#include "engine/SweepOscillator.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace halvo
{

namespace
{

constexpr float twoPi = 6.2831855f;
constexpr float sineLag = 0.5235988f;

// Keeps a NaN or infinite frequency from turning the increment into NaN or infinity.
float limitedMagnitude(float hz) noexcept
{
    return std::fmin(std::fabs(hz), FLT_MAX);
}

float limitedIncrement(float magnitude, float sampleRate) noexcept
{
    return std::fmin(magnitude / sampleRate, FLT_MAX);
}

// Adds one step and wraps into [0, 1) by subtracting one cycle. Steps of more than a cycle (sweep
// rates far beyond the knob's range) drop their whole cycles instead.
float advancePhase(float phase, float step) noexcept
{
    phase += step;
    if (phase >= 1.0f)
    {
        phase = static_cast<float>(static_cast<double>(phase) - 1.0);
        if (phase >= 1.0f)
            phase -= std::floor(phase);
    }
    return phase >= 0.0f ? phase : 0.0f;
}

float sineOfCycles(float argument) noexcept
{
    return static_cast<float>(std::sin(static_cast<double>(argument)));
}

std::int32_t lfoShapeForMode(std::int32_t mode) noexcept
{
    if (mode < 2)
        return 0;
    return mode > 3 ? 2 : 1;
}

float timesBase(float x, double offset, double base) noexcept
{
    return static_cast<float>((static_cast<double>(x) + offset) * base);
}

template <typename Function> void transformInPlace(float* values, int n, Function function) noexcept
{
    std::transform(values, values + n, values, function);
}

void lfoValuesFromPhases(float* values, int n, std::int32_t shape, std::int32_t mode) noexcept
{
    if (shape == 0 && mode == 0)
        transformInPlace(values, n, [](float phi) { return sineOfCycles(phi * twoPi - sineLag); });
    else if (shape == 0)
        transformInPlace(values, n, [](float phi) { return sineOfCycles(phi * twoPi); });
    else if (shape == 1)
        transformInPlace(values, n,
                         [](float phi)
                         { return static_cast<float>((static_cast<double>(phi) - 0.5) * 2.0); });
    else
        transformInPlace(values, n, [](float phi) { return phi > 0.5f ? 0.5f : -0.5f; });
}

float squaredTimesEight(float w) noexcept
{
    return static_cast<float>(std::pow(static_cast<double>(w), 2.0)) * 8.0f;
}

// A mode outside 0..6 leaves the LFO value itself as the frequency.
void frequenciesFromLfoValues(float* values, int n, std::int32_t mode, float baseFrequency) noexcept
{
    const double base = baseFrequency;
    switch (mode)
    {
    case 0:
        transformInPlace(values, n, [base](float w) { return timesBase(w, 1.5, base); });
        break;
    case 1:
    case 3:
        transformInPlace(values, n,
                         [base](float w) { return timesBase(squaredTimesEight(w), 1.0, base); });
        break;
    case 2:
        transformInPlace(values, n,
                         [base](float w)
                         {
                             const auto x =
                                 static_cast<float>(static_cast<double>(std::fabs(w)) * 1.5);
                             return timesBase(x, 0.5, base);
                         });
        break;
    case 4:
        transformInPlace(values, n, [base](float w) { return timesBase(w, 1.0, base); });
        break;
    case 5:
        transformInPlace(values, n, [base](float w) { return timesBase(w * 4.0f, 1.0, base); });
        break;
    case 6:
        transformInPlace(values, n, [base](float w) { return timesBase(w * -2.0f, 1.0, base); });
        break;
    default:
        break;
    }
}

// At most one cycle per sample; a NaN or infinite frequency also takes the full cycle.
float toneStep(float frequency, float sampleRate) noexcept
{
    const float step = std::fabs(frequency / sampleRate);
    return step < 1.0f ? step : 1.0f;
}

float sawSample(float t, float dt) noexcept
{
    float correction = 0.0f;
    if (dt > t)
    {
        const float u = t / dt;
        correction = 2.0f * u - u * u - 1.0f;
    }
    else if (t > 1.0f - dt)
    {
        const float u = (t - 1.0f) / dt;
        correction = u * u + 2.0f * u + 1.0f;
    }
    const auto v =
        static_cast<float>(static_cast<double>(2.0f * t) - 1.0 - static_cast<double>(correction));
    const float shifted = (v + 1.0f) * 0.5f;
    return static_cast<float>(static_cast<double>(shifted) - 0.5);
}

template <typename Waveshape>
void renderTone(Phasor& phasor, const float* frequencies, float* out, int n,
                Waveshape waveshape) noexcept
{
    float phase = phasor.phase;
    for (int i = 0; i < n; ++i)
    {
        const float step = toneStep(frequencies[i], phasor.sampleRate);
        phase = advancePhase(phase, step);
        out[i] = waveshape(phase, step);
    }
    phasor.phase = phase;
}

} // namespace

void Phasor::set(float newFrequency, float newSampleRate, float startPhase) noexcept
{
    const float magnitude = limitedMagnitude(newFrequency);
    frequency.store(magnitude, std::memory_order_relaxed);
    sampleRate = newSampleRate;
    increment.store(limitedIncrement(magnitude, newSampleRate), std::memory_order_relaxed);
    phase = (startPhase >= 0.0f && startPhase < 1.0f) ? startPhase : 0.0f;
}

void Phasor::setFrequency(float newFrequency) noexcept
{
    const float magnitude = limitedMagnitude(newFrequency);
    frequency.store(magnitude, std::memory_order_relaxed);
    increment.store(limitedIncrement(magnitude, sampleRate), std::memory_order_relaxed);
}

float DcBlocker::process(float input) noexcept
{
    const float y = (input - lastInput + lastOutput) * coefficient;
    // Written so that a NaN flushes to 0 as well instead of staying in the filter.
    lastOutput = (std::fabs(y) >= 1e-5f) ? y : 0.0f;
    lastInput = input;
    return lastOutput;
}

SweepOscillator::SweepOscillator(float initialBaseFrequency, float sweepRate, float referenceRate)
    : baseFrequency(initialBaseFrequency), workBuffer(std::make_unique<float[]>(maxBlockSize))
{
    mainPhasor.set(initialBaseFrequency, referenceRate, 0.5f);
    lfoPhasor.set(sweepRate, referenceRate, 0.0f);
}

void SweepOscillator::render(float* out, int numSamples) noexcept
{
    const int n = std::clamp(numSamples, 0, maxBlockSize);
    const std::int32_t currentMode = mode.load(std::memory_order_relaxed);
    float* const values = workBuffer.get();

    const float lfoIncrement = lfoPhasor.increment.load(std::memory_order_relaxed);
    for (int i = 0; i < n; ++i)
    {
        lfoPhasor.phase = advancePhase(lfoPhasor.phase, lfoIncrement);
        values[i] = lfoPhasor.phase;
    }

    lfoShape = lfoShapeForMode(currentMode);
    lfoValuesFromPhases(values, n, lfoShape, currentMode);
    frequenciesFromLfoValues(values, n, currentMode, baseFrequency.load(std::memory_order_relaxed));

    switch (waveform.load(std::memory_order_relaxed))
    {
    case 0:
        renderTone(mainPhasor, values, out, n,
                   [](float t, float)
                   { return static_cast<float>(0.5 * std::sin(static_cast<double>(t * twoPi))); });
        break;
    case 1:
        renderTone(mainPhasor, values, out, n, sawSample);
        break;
    case 2:
        renderTone(mainPhasor, values, out, n,
                   [](float t, float) { return t < 0.5f ? -0.3f : 0.3f; });
        break;
    default:
        // No tone: whatever the buffer held is only scaled and filtered below.
        break;
    }

    const float gate = gateLevel.load(std::memory_order_relaxed);
    for (int i = 0; i < n; ++i)
    {
        const float difference = amplitude - gate;
        if (std::fabs(static_cast<double>(difference)) > 1e-6)
            amplitude = static_cast<float>(static_cast<double>(amplitude) * 0.9999 +
                                           static_cast<double>(gate) * 0.0001);
        else
            amplitude = gate;
        out[i] *= amplitude;
    }

    for (int i = 0; i < n; ++i)
        out[i] = outputFilter.process(out[i]);
}

} // namespace halvo
