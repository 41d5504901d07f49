#pragma once

#include "parameters/ControllerCurves.h"
#include "parameters/ParameterTable.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <atomic>

namespace halvo
{

// The controller assignments, the channel they listen on and the learn target, where an
// instrument keeps them.
struct ControllerAssignments
{
    std::array<std::atomic<int>, numParameters>& midiMap;
    const std::atomic<int>& midiChannel;
    const std::atomic<bool>& learnEnabled;
    const std::atomic<int>& learnParameterIndex;
};

// Every control change of the block acts before the block is rendered, in buffer order:
// write(index, value) for each parameter a message moves, assigned ones first, then the learn
// target, which the message is assigned to.
template <typename WriteParameter>
void applyControllerMessages(const juce::MidiBuffer& midiMessages,
                             const ControllerAssignments& assignments, WriteParameter&& write)
{
    for (const auto event : midiMessages)
    {
        if (event.numBytes < 3 || (event.data[0] & 0xf0) != 0xb0)
            continue;

        const int channel = (event.data[0] & 0x0f) + 1;
        const int acceptedChannel = assignments.midiChannel.load(std::memory_order_relaxed);
        if (acceptedChannel != 0 && acceptedChannel != channel)
            continue;

        const int controller = event.data[1] & 0x7f;
        const int value = event.data[2] & 0x7f;

        for (int index = 0; index < numParameters; ++index)
            if (assignments.midiMap[static_cast<std::size_t>(index)].load(
                    std::memory_order_relaxed) == controller)
                write(index, mappedControllerValue(index, value));

        const int target = assignments.learnParameterIndex.load(std::memory_order_relaxed);
        if (assignments.learnEnabled.load(std::memory_order_relaxed) && isParameterIndex(target))
        {
            assignments.midiMap[static_cast<std::size_t>(target)].store(controller,
                                                                        std::memory_order_relaxed);
            write(target, learnedControllerValue(target, value));
        }
    }
}

} // namespace halvo
