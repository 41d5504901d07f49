#include "engine/SweepOscillator.h"

#include "engine/Float4.h"
#include "engine/VectorKernels.h"

#include <algorithm>
#include <bit>
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

// The LFO phases after `phase`, one per sample, as advancePhase gives them; returns the last.
// While the phase stays below 1 and within one power of two, every step adds the same rounded
// increment, so four phases at a time are guessed as base + k * step. A guess is kept only if
// taking one step from each guessed phase gives the next guess; those steps are the values
// stored. Where the check fails (a wrap, a new power of two), four samples are stepped one by one
// and the guess starts again from there.
float writeLfoPhases(float* values, int n, float phase, float increment) noexcept
{
    float base = phase;
    float step = advancePhase(base, increment) - base;
    const Float4 firstCounts{0.0f, 1.0f, 2.0f, 3.0f};
    Float4 counts = firstCounts;
    const Float4 one = broadcast4(1.0f);
    const Float4 zero{};
    const Float4 incrementVector = broadcast4(increment);
    int i = 0;
    for (; i + 4 <= n; i += 4)
    {
        const Float4 baseVector = broadcast4(base);
        const Float4 stepVector = broadcast4(step);
        const Float4 before = baseVector + counts * stepVector;
        const Float4 guess = baseVector + (counts + one) * stepVector;
        const Float4 stepped = before + incrementVector;
        if (allLanes((stepped == guess) & (stepped < one) & (stepped >= zero)))
        {
            store4(values + i, stepped);
            phase = values[i + 3];
            counts += broadcast4(4.0f);
            continue;
        }
        for (int j = i; j < i + 4; ++j)
        {
            phase = advancePhase(phase, increment);
            values[j] = phase;
        }
        base = phase;
        step = advancePhase(base, increment) - base;
        counts = firstCounts;
    }
    for (; i < n; ++i)
    {
        phase = advancePhase(phase, increment);
        values[i] = phase;
    }
    return phase;
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
    if (shape == 0)
    {
        if (mode == 0)
            transformInPlace(values, n, [](float phi) { return phi * twoPi - sineLag; });
        else
            transformInPlace(values, n, [](float phi) { return phi * twoPi; });
        activeKernels().roundedSines(values, values, n, 1.0);
    }
    else if (shape == 1)
        transformInPlace(values, n,
                         [](float phi)
                         { return static_cast<float>((static_cast<double>(phi) - 0.5) * 2.0); });
    else
        transformInPlace(values, n, [](float phi) { return phi > 0.5f ? 0.5f : -0.5f; });
}

// pow(w, 2) in double: the square of a float is exact in double, and pow returns a result that
// double holds exactly as it is, so the product gives the same bits.
float squaredTimesEight(float w) noexcept
{
    const auto x = static_cast<double>(w);
    return static_cast<float>(x * x) * 8.0f;
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

// Both corrections are computed and one is chosen, so that the loop over a block vectorises.
float sawSample(float t, float dt) noexcept
{
    const float rising = t / dt;
    const float falling = (t - 1.0f) / dt;
    const float afterWrap = 2.0f * rising - rising * rising - 1.0f;
    const float beforeWrap = falling * falling + 2.0f * falling + 1.0f;
    const float correction = dt > t ? afterWrap : (t > 1.0f - dt ? beforeWrap : 0.0f);
    const auto v =
        static_cast<float>(static_cast<double>(2.0f * t) - 1.0 - static_cast<double>(correction));
    const float shifted = (v + 1.0f) * 0.5f;
    return static_cast<float>(static_cast<double>(shifted) - 0.5);
}

// The tone's phase, one sample at a time. Steps are at most one cycle and the phase stays in
// [0, 1), so one subtraction wraps it, and for a phase in [1, 2) subtracting 1 in float is exact,
// as it is in double.
struct TonePhase
{
    float phase;

    void advance(float step) noexcept
    {
        phase += step;
        if (phase >= 1.0f)
            phase -= 1.0f;
    }
};

// The amplitude glide and the DC filter, one sample at a time.
struct OutputShaping
{
    float gate;
    float level;
    float lastInput;
    float lastOutput;
    float coefficient;
    bool settled = false;

    float next(float tone) noexcept
    {
        // Once a glide step leaves the amplitude as it was, every later step does too.
        if (!settled)
        {
            float glided = gate;
            if (std::fabs(static_cast<double>(level - gate)) > 1e-6)
                glided = static_cast<float>(static_cast<double>(level) * 0.9999 +
                                            static_cast<double>(gate) * 0.0001);
            settled = std::bit_cast<std::uint32_t>(glided) == std::bit_cast<std::uint32_t>(level);
            level = glided;
        }
        const float x = tone * level;
        const float y = (x - lastInput + lastOutput) * coefficient;
        lastOutput = DcBlocker::flushed(y);
        lastInput = x;
        return lastOutput;
    }
};

} // namespace

float DcBlocker::flushed(float y) noexcept
{
    // Written so that a NaN flushes to 0 as well.
    return std::fabs(static_cast<double>(y)) >= 1e-5 ? y : 0.0f;
}

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

    lfoPhasor.phase = writeLfoPhases(values, n, lfoPhasor.phase,
                                     lfoPhasor.increment.load(std::memory_order_relaxed));

    lfoShape = lfoShapeForMode(currentMode);
    lfoValuesFromPhases(values, n, lfoShape, currentMode);
    frequenciesFromLfoValues(values, n, currentMode, baseFrequency.load(std::memory_order_relaxed));

    const std::int32_t currentWaveform = waveform.load(std::memory_order_relaxed);
    if (currentWaveform >= 0 && currentWaveform <= 2)
    {
        // The tone's steps first, in a pass that vectorises, so the recursions below run lighter.
        const float toneRate = mainPhasor.sampleRate;
        transformInPlace(values, n, [toneRate](float f) { return toneStep(f, toneRate); });
    }

    TonePhase tone{mainPhasor.phase};
    OutputShaping shaping{gateLevel.load(std::memory_order_relaxed), amplitude,
                          outputFilter.lastInput, outputFilter.lastOutput,
                          outputFilter.coefficient};
    switch (currentWaveform)
    {
    case 0:
        // The sines need the whole block of phases first.
        for (int i = 0; i < n; ++i)
        {
            tone.advance(values[i]);
            out[i] = tone.phase * twoPi;
        }
        activeKernels().roundedSines(out, out, n, 0.5);
        for (int i = 0; i < n; ++i)
            out[i] = shaping.next(out[i]);
        break;
    case 1:
        // Phase, waveshape and output in one loop, so that the two recursions overlap.
        for (int i = 0; i < n; ++i)
        {
            tone.advance(values[i]);
            out[i] = shaping.next(sawSample(tone.phase, values[i]));
        }
        break;
    case 2:
        for (int i = 0; i < n; ++i)
        {
            tone.advance(values[i]);
            out[i] = shaping.next(tone.phase < 0.5f ? -0.3f : 0.3f);
        }
        break;
    default:
        // No tone: whatever the buffer held is only scaled and filtered.
        for (int i = 0; i < n; ++i)
            out[i] = shaping.next(out[i]);
        break;
    }

    mainPhasor.phase = tone.phase;
    amplitude = shaping.level;
    outputFilter.lastInput = shaping.lastInput;
    outputFilter.lastOutput = shaping.lastOutput;
}

} // namespace halvo
