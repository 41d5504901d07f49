#include "engine/SoundEngine.h"

#include <algorithm>

namespace halvo
{

SoundEngine::SoundEngine(float referenceRate)
    : oscillator(0.0f, 0.0f, referenceRate), reverb(referenceRate, 0.0f, 0.5f),
      sampleRate(referenceRate)
{
}

// Longer blocks run in chunks of the oscillator's work buffer so that the tone continues past it
// and nothing the buffer held before ever passes through.
void SoundEngine::processMono(float* channel, int numSamples) noexcept
{
    for (int start = 0, count = 0; start < numSamples; start += count)
    {
        count = std::min(numSamples - start, SweepOscillator::maxBlockSize);
        float* const chunk = channel + start;
        oscillator.render(chunk, count);
        delay.process(chunk, chunk, count);
        reverb.processMono(chunk, chunk, count);
    }
}

void SoundEngine::processStereo(float* const* channels, int numSamples) noexcept
{
    for (int start = 0, count = 0; start < numSamples; start += count)
    {
        count = std::min(numSamples - start, SweepOscillator::maxBlockSize);
        float* const chunk[2] = {channels[0] + start, channels[1] + start};
        oscillator.render(chunk[0], count);
        delay.process(chunk[0], chunk[0], count);
        reverb.processStereo(chunk[0], chunk, count);
    }
}

} // namespace halvo
