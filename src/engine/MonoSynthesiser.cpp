#include "engine/MonoSynthesiser.h"

namespace halvo
{

juce::SynthesiserVoice* MonoSynthesiser::findVoiceToSteal(juce::SynthesiserSound* soundToPlay, int,
                                                          int) const
{
    for (auto* voice : voices)
        if (voice->canPlaySound(soundToPlay))
            return voice;
    return nullptr;
}

} // namespace halvo
