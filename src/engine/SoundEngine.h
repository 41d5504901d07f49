#pragma once

#include "engine/FdnReverb.h"
#include "engine/FeedbackDelay.h"
#include "engine/SweepOscillator.h"

namespace halvo
{

// The signal chain: oscillator, then delay in place on channel 0, then reverb. Counts in samples at
// a fixed reference rate; blocks longer than the oscillator's work buffer run in chunks.
class SoundEngine
{
public:
    explicit SoundEngine(float referenceRate = 44100.0f);

    void processMono(float* channel, int numSamples) noexcept;
    void processStereo(float* const* channels, int numSamples) noexcept;

    SweepOscillator oscillator;
    FeedbackDelay delay;
    FdnReverb reverb;
    const float sampleRate;
};

} // namespace halvo
