#include "parameters/EngineSettings.h"

#include "parameters/ParameterTable.h"

namespace halvo
{

void applyEngineSetting(SoundEngine& engine, OutputStage& outputStage, int index, float value,
                        float sampleRate) noexcept
{
    switch (index)
    {
    case delayTimeIndex:
        engine.delay.setDelaySamples(delaySamplesFor(value, sampleRate));
        break;
    case delayFeedbackIndex:
        engine.delay.setFeedback(delayFeedbackFor(value));
        break;
    case oscIndex:
        engine.oscillator.setWaveform(waveformFor(value));
        break;
    case rateIndex:
        engine.oscillator.setSweepRate(sweepRateFor(value));
        break;
    case modeIndex:
        engine.oscillator.setMode(sweepModeFor(value));
        break;
    case reverbIndex:
        engine.reverb.setDecayTime(reverbDecayFor(value));
        break;
    case gainIndex:
        outputStage.setGainTarget(outputGainFor(value));
        break;
    default:
        break;
    }
}

} // namespace halvo
