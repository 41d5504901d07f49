#include "engine/MurmelAudioProcessor.h"

#include <cmath>

namespace halvo
{

int MurmelAudioProcessor::getNumParameters()
{
    return numParameters;
}

const juce::String MurmelAudioProcessor::getParameterName(int index)
{
    return isParameterIndex(index) ? parameterTable[static_cast<std::size_t>(index)].name : "";
}

float MurmelAudioProcessor::getParameter(int index)
{
    return getParameterValue(index);
}

float MurmelAudioProcessor::getParameterValue(int index) const noexcept
{
    return isParameterIndex(index)
               ? paramValues[static_cast<std::size_t>(index)].load(std::memory_order_relaxed)
               : 0.0f;
}

float MurmelAudioProcessor::getParameterDefaultValue(int index)
{
    return isParameterIndex(index) ? parameterTable[static_cast<std::size_t>(index)].defaultValue
                                   : 0.0f;
}

const juce::String MurmelAudioProcessor::getParameterText(int index)
{
    return isParameterIndex(index) ? juce::String(formatParameterValue(getParameterValue(index)))
                                   : juce::String();
}

void MurmelAudioProcessor::setParameter(int index, float value)
{
    // A NaN or infinity from a host or a state block would poison the engine; it is ignored.
    if (!isParameterIndex(index) || !std::isfinite(value))
        return;

    paramValues[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
    applyParameter(index, value);
    parametersChanged.store(true, std::memory_order_relaxed);
}

void MurmelAudioProcessor::applyParameter(int index, float value) noexcept
{
    switch (index)
    {
    case delayTimeIndex:
        engine.delay.setDelaySamples(
            delaySamplesFor(value, currentSampleRate.load(std::memory_order_relaxed)));
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

int MurmelAudioProcessor::getNumPrograms()
{
    return 1;
}

int MurmelAudioProcessor::getCurrentProgram()
{
    return 0;
}

void MurmelAudioProcessor::setCurrentProgram(int) {}

const juce::String MurmelAudioProcessor::getProgramName(int index)
{
    return index == 0 ? "Default" : "Other";
}

void MurmelAudioProcessor::changeProgramName(int, const juce::String&) {}

} // namespace halvo
