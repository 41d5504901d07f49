#pragma once

#include "FindParameter.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <vector>

namespace halvo::test
{

constexpr double plainSineRate = 44100.0;

struct PlainSineA4
{
    std::vector<float> left;
    bool withinFullScale = true;
    float lastBlockMagnitude = 0.0f;
};

// Note 69 through a loaded plug-in set to a plain sine (no sweep, no echoes, no reverb), 130 blocks
// of 512 samples at plainSineRate.
inline PlainSineA4 playPlainSineA4(juce::AudioPluginInstance& instance)
{
    for (const auto* name : {"OSC", "Rate", "Mode", "DelayFeedback", "Reverb"})
        findParameter(instance, name)->setValueNotifyingHost(0.0f);
    instance.prepareToPlay(plainSineRate, 512);

    PlainSineA4 played;
    juce::AudioBuffer<float> buffer(2, 512);
    for (int block = 0; block < 130; ++block)
    {
        buffer.clear();
        juce::MidiBuffer midi;
        if (block == 0)
            midi.addEvent(juce::MidiMessage::noteOn(1, 69, 0.8f), 0);
        instance.processBlock(buffer, midi);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < 512; ++i)
            {
                const float sample = buffer.getSample(channel, i);
                played.withinFullScale =
                    played.withinFullScale && std::isfinite(sample) && std::fabs(sample) <= 1.0f;
            }
        played.left.insert(played.left.end(), buffer.getReadPointer(0),
                           buffer.getReadPointer(0) + 512);
    }
    instance.releaseResources();
    played.lastBlockMagnitude = buffer.getMagnitude(0, 0, 512);
    return played;
}

} // namespace halvo::test
