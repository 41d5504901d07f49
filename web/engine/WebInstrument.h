#pragma once

#include "engine/MonoSynthesiser.h"
#include "engine/OutputStage.h"
#include "engine/SoundEngine.h"
#include "parameters/ParameterTable.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace halvo
{

// The instrument as the browser runs it: the plug-in's note input, controller step, signal chain,
// output stage, parameters and state block, played one render quantum at a time. Everything the
// audio path touches is allocated when it is built.
class WebInstrument
{
public:
    static constexpr int maxFrames = 4096;
    static constexpr int numChannels = 2;

    WebInstrument();

    // As a host's prepareToPlay: the rate the pitch and the delay time are counted at.
    void prepare(float sampleRate) noexcept;

    // Queues a channel message for the next block; returns false for anything else, and when the
    // block already holds as many events as it can take without allocating.
    bool addMidi(int frame, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) noexcept;

    // Renders the queued MIDI and up to maxFrames frames into output(0) (and output(1) when
    // stereo); the queue is empty afterwards.
    void process(int numFrames, bool stereo) noexcept;
    float* output(int channel) noexcept
    {
        return outputs[static_cast<std::size_t>(channel)].data();
    }

    // Ignores an index outside the table and a value that is not finite, as the plug-in does.
    void setParameter(int index, float value) noexcept;
    float getParameter(int index) const noexcept;

    int getMidiChannel() const noexcept { return midiChannel.load(std::memory_order_relaxed); }
    void setMidiChannel(int channel) noexcept;
    int getAssignment(int index) const noexcept;
    // The parameter the next controller messages are assigned to; -1 ends learning.
    void setLearnTarget(int index) noexcept;
    void clearAssignments() noexcept;

    std::vector<char> writeState() const;
    // Applies a block the plug-in would read; returns false, changing nothing, for one it refuses.
    bool readState(const void* data, int sizeInBytes);

private:
    void applyParameter(int index, float value) noexcept;

    SoundEngine engine;
    OutputStage outputStage;
    MonoSynthesiser synth;
    std::atomic<float> currentSampleRate{44100.0f};
    std::array<std::atomic<float>, numParameters> paramValues;
    std::array<std::atomic<int>, numParameters> midiMap;
    std::atomic<int> midiChannel{0};
    std::atomic<bool> learnEnabled{false};
    std::atomic<int> learnParameterIndex{-1};

    juce::MidiBuffer midi;
    int queuedEvents = 0;
    std::array<std::array<float, maxFrames>, numChannels> outputs{};
    juce::AudioBuffer<float> synthBuffer;
};

} // namespace halvo
