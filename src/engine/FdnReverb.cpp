#include "engine/FdnReverb.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace halvo
{

namespace
{

template <std::size_t... index>
std::array<DelayLine, sizeof...(index)> makeLines(std::index_sequence<index...>)
{
    return {DelayLine(reverbDelayLengths[index])...};
}

float limitToUnit(float x) noexcept
{
    if (x > 1.0f)
        return 1.0f;
    return x < 0.0f ? 0.0f : x;
}

} // namespace

DelayLine::DelayLine(std::int32_t lengthInSamples)
    : length(std::max<std::int32_t>(lengthInSamples, 1)), writeIndex(length - 1),
      buffer(std::make_unique<float[]>(static_cast<std::size_t>(length)))
{
}

float DelayLine::writeThenRead(float value) noexcept
{
    buffer[static_cast<std::size_t>(writeIndex)] = value;
    if (++writeIndex == length)
        writeIndex = 0;
    const float y = buffer[static_cast<std::size_t>(readIndex)];
    if (++readIndex == length)
        readIndex = 0;
    return y;
}

FdnReverb::FdnReverb(float rate, float decayTime, float dry)
    : sampleRate(rate), dryLevel(limitToUnit(dry)),
      lines(makeLines(std::make_index_sequence<numLines>{}))
{
    setDecayTime(decayTime);
}

void FdnReverb::setDecayTime(float seconds) noexcept
{
    // Written as a negated comparison so that NaN falls back to the near-zero decay as well.
    const float t = (seconds > 0.0f) ? seconds : 1e-10f;
    const double rateTimesDecay = static_cast<double>(sampleRate * t);
    const double inverseNormalisation = 1.0 / static_cast<double>(normalisation);
    for (std::size_t k = 0; k < lineGains.size(); ++k)
    {
        const double exponent = -3.0 * static_cast<double>(reverbDelayLengths[k]) / rateTimesDecay;
        lineGains[k].store(static_cast<float>(std::pow(10.0, exponent) * inverseNormalisation),
                           std::memory_order_relaxed);
    }
}

std::array<float, FdnReverb::numLines> FdnReverb::loadGains() const noexcept
{
    std::array<float, numLines> gains{};
    for (std::size_t k = 0; k < gains.size(); ++k)
        gains[k] = lineGains[k].load(std::memory_order_relaxed);
    return gains;
}

float FdnReverb::feedLine(std::size_t k, float x, float gain) noexcept
{
    const float v = (lineState[k] + x) * gain;
    // Small values enter as silence: no denormals in the loops, and the tail ends in exact zeros.
    const float y = lines[k].writeThenRead(std::fabs(v) > 1e-5f ? v : 0.0f);
    lineState[k] = y;
    return y;
}

void FdnReverb::mixLineState() noexcept
{
    for (std::int32_t stage = 0; stage < numStages; ++stage)
    {
        const std::size_t h = std::size_t{1} << stage;
        for (std::size_t b = 0; b < lineState.size(); b += 2 * h)
            for (std::size_t m = b; m < b + h; ++m)
            {
                const float a = lineState[m];
                const float c = lineState[m + h];
                lineState[m] = a + c;
                lineState[m + h] = a - c;
            }
    }
}

void FdnReverb::processMono(const float* in, float* out, int numSamples) noexcept
{
    const auto gains = loadGains();
    const float wetLevel = (1.0f - dryLevel) / normalisation;
    for (int i = 0; i < numSamples; ++i)
    {
        const float x = in[i];
        float sum = 0.0f;
        for (std::size_t k = 0; k < lines.size(); ++k)
            sum += feedLine(k, x, gains[k]);
        out[i] = dryLevel * x + wetLevel * sum;
        mixLineState();
    }
}

void FdnReverb::processStereo(const float* in, float* const* out, int numSamples) noexcept
{
    const auto gains = loadGains();
    const float wetLevel = (1.0f - dryLevel) / normalisation;
    for (int i = 0; i < numSamples; ++i)
    {
        const float x = in[i];
        float evenSum = 0.0f;
        float oddSum = 0.0f;
        for (std::size_t k = 0; k < lines.size(); k += 2)
        {
            evenSum += feedLine(k, x, gains[k]);
            oddSum += feedLine(k + 1, x, gains[k + 1]);
        }
        out[0][i] = dryLevel * x + wetLevel * evenSum;
        out[1][i] = dryLevel * x + wetLevel * oddSum;
        mixLineState();
    }
}

} // namespace halvo
