#pragma once

#include "Performance.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <vector>

namespace halvo::render
{

// Hands out a performance block by block, by sample position: the MIDI of each block at its
// offset within the block, and the parameter changes that fall in it.
class EventScheduler
{
public:
    EventScheduler(const Performance& performance, double sampleRate);

    // Blocks must be asked for in order, each starting where the previous one ended.
    void takeBlock(std::int64_t blockStart, int numSamples, juce::MidiBuffer& midi,
                   std::vector<ParameterChange>& changes);

    std::int64_t lengthInSamples() const noexcept { return length; }

private:
    struct PlacedMidi
    {
        std::int64_t position;
        juce::MidiMessage message;
    };
    struct PlacedChange
    {
        std::int64_t position;
        ParameterChange change;
    };

    std::vector<PlacedMidi> midiEvents;
    std::vector<PlacedChange> changeEvents;
    std::size_t nextMidi = 0;
    std::size_t nextChange = 0;
    std::int64_t length = 0;
};

std::int64_t secondsToSamples(double seconds, double sampleRate) noexcept;

} // namespace halvo::render
