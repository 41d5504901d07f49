#include "engine/FdnReverb.h"

#include "engine/VectorKernels.h"

#include <cmath>

namespace halvo
{

namespace
{

float limitToUnit(float x) noexcept
{
    if (x > 1.0f)
        return 1.0f;
    return x < 0.0f ? 0.0f : x;
}

} // namespace

FdnReverb::FdnReverb(float rate, float decayTime, float dry)
    : sampleRate(rate), dryLevel(limitToUnit(dry)),
      storage(std::make_unique<float[]>(reverbStorageSize))
{
    setDecayTime(decayTime);
    for (std::size_t k = 0; k < lines.size(); ++k)
    {
        const std::int32_t length = reverbDelayLengths[k];
        lines[k] = DelayLine{length, 0, length - 1, storage.get() + reverbLineOffsets[k]};
    }
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

ReverbLevels FdnReverb::levelsForBlock() const noexcept
{
    ReverbLevels levels{};
    for (std::size_t k = 0; k < levels.gains.size(); ++k)
        levels.gains[k] = lineGains[k].load(std::memory_order_relaxed);
    levels.dry = dryLevel;
    levels.wet = (1.0f - dryLevel) / normalisation;
    return levels;
}

void FdnReverb::processMono(const float* in, float* out, int numSamples) noexcept
{
    activeKernels().reverbMono(lines, lineState, levelsForBlock(), in, &out, numSamples);
}

void FdnReverb::processStereo(const float* in, float* const* out, int numSamples) noexcept
{
    activeKernels().reverbStereo(lines, lineState, levelsForBlock(), in, out, numSamples);
}

} // namespace halvo
