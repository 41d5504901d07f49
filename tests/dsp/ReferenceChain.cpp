#include "ReferenceChain.h"

#include <cmath>

namespace halvo::reference
{

namespace
{

float wrapped(float phase)
{
    if (phase >= 1.0f)
    {
        phase = static_cast<float>(static_cast<double>(phase) - 1.0);
        if (phase >= 1.0f)
            phase = phase - std::floor(phase);
    }
    return std::isnan(phase) ? 0.0f : phase;
}

float limited(float x, float bound)
{
    if (std::isnan(x))
        return 0.0f;
    return x > bound ? bound : (x < -bound ? -bound : x);
}

constexpr int lengths[32] = {47,   251,  487,  743,  1019, 1291, 1579, 1877, 2179, 2473, 2789,
                             3119, 3457, 3739, 4073, 4409, 4733, 5077, 5431, 5743, 6091, 6397,
                             6781, 7121, 7507, 7829, 8209, 8573, 8887, 9241, 9601, 9929};

} // namespace

float Oscillator::next(float held)
{
    sweepPhase = wrapped(sweepPhase + sweepIncrement);
    const float phi = sweepPhase;
    const int shape = mode < 2 ? 0 : (mode > 3 ? 2 : 1);

    float w = 0.0f;
    if (shape == 0)
    {
        const float argument = mode == 0 ? phi * 6.2831855f - 0.5235988f : phi * 6.2831855f;
        w = static_cast<float>(std::sin(static_cast<double>(argument)));
    }
    else if (shape == 1)
        w = static_cast<float>((static_cast<double>(phi) - 0.5) * 2.0);
    else
        w = phi > 0.5f ? 0.5f : -0.5f;

    const double b = baseFrequency;
    float f = w;
    if (mode == 0)
        f = static_cast<float>((static_cast<double>(w) + 1.5) * b);
    else if (mode == 1 || mode == 3)
        f = static_cast<float>(
            (static_cast<double>(static_cast<float>(static_cast<double>(w) * w) * 8.0f) + 1.0) * b);
    else if (mode == 2)
        f = static_cast<float>(
            (static_cast<double>(static_cast<float>(std::fabs(static_cast<double>(w)) * 1.5)) +
             0.5) *
            b);
    else if (mode == 4)
        f = static_cast<float>((static_cast<double>(w) + 1.0) * b);
    else if (mode == 5)
        f = static_cast<float>((static_cast<double>(w * 4.0f) + 1.0) * b);
    else if (mode == 6)
        f = static_cast<float>((static_cast<double>(w * -2.0f) + 1.0) * b);

    float tone = held;
    if (waveform >= 0 && waveform <= 2)
    {
        float dt = std::fabs(f / 44100.0f);
        if (std::isnan(dt) || dt > 1.0f)
            dt = 1.0f;
        tonePhase = wrapped(tonePhase + dt);
        const float t = tonePhase;
        if (waveform == 0)
            tone = static_cast<float>(0.5 * std::sin(static_cast<double>(t * 6.2831855f)));
        else if (waveform == 2)
            tone = t < 0.5f ? -0.3f : 0.3f;
        else
        {
            float c = 0.0f;
            if (dt > t)
                c = 2.0f * (t / dt) - (t / dt) * (t / dt) - 1.0f;
            else if (t > 1.0f - dt)
                c = ((t - 1.0f) / dt) * ((t - 1.0f) / dt) + 2.0f * ((t - 1.0f) / dt) + 1.0f;
            const float v = static_cast<float>(static_cast<double>(2.0f * t) - 1.0 - c);
            tone = static_cast<float>(static_cast<double>((v + 1.0f) * 0.5f) - 0.5);
        }
    }

    if (std::fabs(static_cast<double>(amplitude - gateLevel)) > 1e-6)
        amplitude = static_cast<float>(amplitude * 0.9999 + gateLevel * 0.0001);
    else
        amplitude = gateLevel;
    beforeFilter = tone * amplitude;

    const float y = (beforeFilter - filterInput + filterOutput) * 0.9993f;
    filterOutput = std::fabs(static_cast<double>(y)) < 1e-5 || std::isnan(y) ? 0.0f : y;
    filterInput = beforeFilter;
    return filterOutput;
}

float Delay::next(float s)
{
    const auto size = static_cast<std::int64_t>(line.size());
    writePosition = (writePosition + 1) % size;

    if (std::fabs(static_cast<double>(currentFeedback - targetFeedback)) > 1e-6)
        currentFeedback = static_cast<float>(currentFeedback * 0.995 + targetFeedback * 0.005);
    else
        currentFeedback = targetFeedback;
    const float entering = currentFeedback * limited(s + lastDelayed, 2.0f);
    line[static_cast<std::size_t>(writePosition)] = std::fabs(entering) < 1e-30f ? 0.0f : entering;

    if (std::fabs(static_cast<double>(currentDelay - targetDelay)) > 1e-7)
        currentDelay = static_cast<float>(currentDelay * 0.99998 + targetDelay * 0.00002);
    else
        currentDelay = targetDelay;
    currentDelay =
        currentDelay < 100.0f ? 100.0f : (currentDelay > 192000.0f ? 192000.0f : currentDelay);

    const auto k = static_cast<std::int64_t>(std::floor(currentDelay));
    const float frac = currentDelay - static_cast<float>(k);
    const auto newer = static_cast<std::size_t>((writePosition - k + size) % size);
    const auto older = static_cast<std::size_t>((writePosition - k - 1 + size) % size);
    lastDelayed = (1.0f - frac) * line[newer] + frac * line[older];
    return limited(s + lastDelayed, 2.0f);
}

Reverb::Reverb()
{
    for (std::size_t k = 0; k < lines.size(); ++k)
        lines[k].assign(static_cast<std::size_t>(lengths[k]), 0.0f);
}

void Reverb::setDecayTime(float seconds)
{
    const float t = seconds > 0.0f ? seconds : 1e-10f;
    for (std::size_t k = 0; k < gains.size(); ++k)
        gains[k] = static_cast<float>(std::pow(10.0, -3.0 * lengths[k] / (44100.0f * t)) *
                                      (1.0 / static_cast<double>(5.656854f)));
}

std::array<float, 3> Reverb::next(float x)
{
    float mono = 0.0f;
    std::array<float, 2> stereo{};
    for (std::size_t k = 0; k < lines.size(); ++k)
    {
        auto& line = lines[k];
        const auto length = static_cast<std::int64_t>(line.size());
        const float v = (state[k] + x) * gains[k];
        line[static_cast<std::size_t>((time + length - 1) % length)] =
            std::fabs(v) > 1e-5f ? v : 0.0f;
        state[k] = line[static_cast<std::size_t>(time % length)];
        mono += state[k];
        stereo[k % 2] += state[k];
    }
    ++time;
    for (std::size_t h = 1; h < state.size(); h *= 2)
        for (std::size_t i = 0; i < state.size(); ++i)
            if ((i & h) == 0)
            {
                const float a = state[i];
                state[i] = a + state[i + h];
                state[i + h] = a - state[i + h];
            }
    const float wet = 0.5f / 5.656854f;
    return {0.5f * x + wet * mono, 0.5f * x + wet * stereo[0], 0.5f * x + wet * stereo[1]};
}

void OutputGain::process(std::vector<std::vector<float>>& channels)
{
    const bool ramp = std::fabs(static_cast<double>(smoothed) - target) > 1e-6;
    if (!ramp)
        smoothed = target;
    for (std::size_t i = 0; !channels.empty() && i < channels[0].size(); ++i)
    {
        if (ramp)
            smoothed = static_cast<float>(target * 0.005 + smoothed * 0.995);
        for (auto& channel : channels)
        {
            const float v = channel[i] * smoothed;
            channel[i] = std::isnan(v) ? 0.0f : (v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v));
        }
    }
}

} // namespace halvo::reference
