#pragma once

#include "engine/MurmelAudioProcessor.h"

#include <vector>

namespace halvo::test
{

// Drives a processor the way a host does: prepared at a rate, fed blocks with MIDI.
struct ProcessorHarness
{
    explicit ProcessorHarness(double sampleRate = 44100.0, int numChannels = 2,
                              int samplesPerBlock = 512)
        : channels(numChannels), blockSize(samplesPerBlock)
    {
        processor.setPlayConfigDetails(numChannels, numChannels, sampleRate, samplesPerBlock);
        processor.prepareToPlay(sampleRate, samplesPerBlock);
    }

    // Renders numSamples in blocks, with the given MIDI placed in the first block.
    std::vector<std::vector<float>> render(int numSamples,
                                           const juce::MidiBuffer& firstBlockMidi = {})
    {
        std::vector<std::vector<float>> out(static_cast<std::size_t>(channels));
        juce::AudioBuffer<float> buffer(channels, blockSize);
        bool first = true;
        for (int done = 0; done < numSamples; done += blockSize)
        {
            const int n = std::min(blockSize, numSamples - done);
            buffer.setSize(channels, n, false, false, true);
            buffer.clear();
            juce::MidiBuffer midi;
            if (first)
                midi = firstBlockMidi;
            first = false;
            processor.processBlock(buffer, midi);
            for (int c = 0; c < channels; ++c)
                out[static_cast<std::size_t>(c)].insert(out[static_cast<std::size_t>(c)].end(),
                                                        buffer.getReadPointer(c),
                                                        buffer.getReadPointer(c) + n);
        }
        return out;
    }

    static juce::MidiBuffer noteOn(int note, int channel = 1, int position = 0)
    {
        juce::MidiBuffer midi;
        midi.addEvent(juce::MidiMessage::noteOn(channel, note, static_cast<juce::uint8>(100)),
                      position);
        return midi;
    }

    MurmelAudioProcessor processor;
    int channels;
    int blockSize;
};

} // namespace halvo::test
