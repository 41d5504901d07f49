#include "engine/MurmelAudioProcessor.h"

#include "parameters/ControllerCurves.h"

namespace halvo
{

void MurmelAudioProcessor::writeParameterFromController(int index, float value)
{
    setParameter(index, value);
    sendParamChangeMessageToListeners(index, value);
}

// Every control change of the block acts before the block is rendered, in buffer order.
void MurmelAudioProcessor::handleControllerMessages(const juce::MidiBuffer& midiMessages)
{
    for (const auto event : midiMessages)
    {
        if (event.numBytes < 3 || (event.data[0] & 0xf0) != 0xb0)
            continue;

        const int channel = (event.data[0] & 0x0f) + 1;
        const int acceptedChannel = midiChannel.load(std::memory_order_relaxed);
        if (acceptedChannel != 0 && acceptedChannel != channel)
            continue;

        const int controller = event.data[1] & 0x7f;
        const int value = event.data[2] & 0x7f;

        for (int index = 0; index < numParameters; ++index)
            if (midiMap[static_cast<std::size_t>(index)].load(std::memory_order_relaxed) ==
                controller)
                writeParameterFromController(index, mappedControllerValue(index, value));

        const int target = learnParameterIndex.load(std::memory_order_relaxed);
        if (midiLearnEnabled.load(std::memory_order_relaxed) && isParameterIndex(target))
        {
            midiMap[static_cast<std::size_t>(target)].store(controller, std::memory_order_relaxed);
            writeParameterFromController(target, learnedControllerValue(target, value));
        }
    }
}

} // namespace halvo
