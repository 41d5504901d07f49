#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace halvo
{

// The framework's synthesiser with a voice-stealing choice that touches no heap: JUCE's own
// rebuilds a list of candidates on every steal, and with one voice every note is a steal.
class MonoSynthesiser final : public juce::Synthesiser
{
protected:
    juce::SynthesiserVoice* findVoiceToSteal(juce::SynthesiserSound* soundToPlay, int midiChannel,
                                             int midiNoteNumber) const override;
};

} // namespace halvo
