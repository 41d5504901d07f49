#pragma once

#include "engine/SoundEngine.h"

namespace halvo::test
{

// The chain as a fresh instance sets it up (saw, 0.1 Hz sweep, mode 0, 0.55 s delay with 0.55
// feedback, 5 s reverb), playing A4 at 44100 Hz.
inline void playDefaultPatch(SoundEngine& engine)
{
    engine.oscillator.setWaveform(1);
    engine.oscillator.setSweepRate(0.1f);
    engine.oscillator.setMode(0);
    engine.delay.setDelaySamples(0.55f * 44100.0f);
    engine.delay.setFeedback(0.55f);
    engine.reverb.setDecayTime(5.0f);
    engine.oscillator.setBaseFrequency(440.0f);
    engine.oscillator.resetSweepPhase();
    engine.oscillator.setGateLevel(0.5f);
}

} // namespace halvo::test
