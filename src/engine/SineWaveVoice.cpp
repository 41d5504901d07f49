#include "engine/SineWaveVoice.h"

#include "engine/SweepOscillator.h"

#include <cmath>

namespace halvo
{

bool SineWaveSound::appliesToNote(int)
{
    return true;
}

bool SineWaveSound::appliesToChannel(int)
{
    return true;
}

SineWaveVoice::SineWaveVoice(SweepOscillator& toneSource, const std::atomic<float>& hostSampleRate)
    : oscillator(toneSource), sampleRate(hostSampleRate)
{
}

bool SineWaveVoice::canPlaySound(juce::SynthesiserSound* sound)
{
    return dynamic_cast<SineWaveSound*>(sound) != nullptr;
}

float noteFrequency(int midiNoteNumber) noexcept
{
    return static_cast<float>(440.0 * std::pow(2.0, (midiNoteNumber - 69) / 12.0));
}

// The oscillator counts at its 44100 Hz reference; scaling by the host's rate here keeps the
// note in tune at any rate.
void SineWaveVoice::startNote(int midiNoteNumber, float, juce::SynthesiserSound*, int)
{
    oscillator.setBaseFrequency(noteFrequency(midiNoteNumber) * 44100.0f /
                                sampleRate.load(std::memory_order_relaxed));
    oscillator.resetSweepPhase();
    oscillator.setGateLevel(0.5f);
}

void SineWaveVoice::stopNote(float, bool)
{
    oscillator.setGateLevel(0.0f);
}

void SineWaveVoice::pitchWheelMoved(int) {}

void SineWaveVoice::controllerMoved(int, int) {}

void SineWaveVoice::renderNextBlock(juce::AudioBuffer<float>&, int, int) {}

} // namespace halvo
