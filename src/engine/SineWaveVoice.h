#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>

namespace halvo
{

class SweepOscillator;

// The one sound: plays on every note and channel.
class SineWaveSound final : public juce::SynthesiserSound
{
public:
    bool appliesToNote(int midiNoteNumber) override;
    bool appliesToChannel(int midiChannel) override;
};

// The one voice. It renders nothing itself: a note only sets the oscillator's pitch, restarts the
// sweep and opens the gate. It never releases its note, so every new note steals it (last note
// wins). It knows only the oscillator and the host's rate, so that every build of the instrument
// shares it.
class SineWaveVoice final : public juce::SynthesiserVoice
{
public:
    SineWaveVoice(SweepOscillator& toneSource, const std::atomic<float>& hostSampleRate);

    bool canPlaySound(juce::SynthesiserSound* sound) override;
    void startNote(int midiNoteNumber, float velocity, juce::SynthesiserSound* sound,
                   int currentPitchWheelPosition) override;
    void stopNote(float velocity, bool allowTailOff) override;
    void pitchWheelMoved(int newPitchWheelValue) override;
    void controllerMoved(int controllerNumber, int newControllerValue) override;
    void renderNextBlock(juce::AudioBuffer<float>& outputBuffer, int startSample,
                         int numSamples) override;
    using juce::SynthesiserVoice::renderNextBlock;

private:
    SweepOscillator& oscillator;
    const std::atomic<float>& sampleRate;
};

// Frequency of a MIDI note in Hz (A4 = note 69 = 440 Hz).
float noteFrequency(int midiNoteNumber) noexcept;

} // namespace halvo
