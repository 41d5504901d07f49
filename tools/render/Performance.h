#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace halvo::render
{

// What gets played, in seconds from the start: MIDI for the instrument, parameter moves made the
// way a host's automation makes them, and labels for the picture.
struct TimedMidiMessage
{
    double seconds = 0.0;
    juce::MidiMessage message;
};

struct ParameterChange
{
    double seconds = 0.0;
    int parameterIndex = 0;
    float value = 0.0f;
};

struct Marker
{
    double seconds = 0.0;
    juce::String label;
};

struct Performance
{
    juce::String title;
    std::vector<TimedMidiMessage> midi;
    std::vector<ParameterChange> parameterChanges;
    std::vector<Marker> markers;
    // Where the tail starts: the last event, or the end of a written-out phrase.
    double lengthSeconds = 0.0;
};

// Sorts every list by time; events at the same time keep their order.
void sortByTime(Performance& performance);

// Parameters the user set by hand stay as set: the performance's own moves of them are dropped.
void dropParameterChanges(Performance& performance, const std::vector<int>& parameterIndices);

} // namespace halvo::render
