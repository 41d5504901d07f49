#include "engine/MurmelAudioProcessor.h"

#include "parameters/StateFormat.h"

namespace halvo
{

void MurmelAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    PluginState state;
    for (int index = 0; index < numParameters; ++index)
    {
        const auto i = static_cast<std::size_t>(index);
        state.parameters[i] = getParameterValue(index);
        state.midiMap[i] = midiMap[i].load(std::memory_order_relaxed);
    }
    state.midiChannel = midiChannel.load(std::memory_order_relaxed);

    const auto block = writeStateBlock(state);
    destData.replaceAll(block.data(), block.size());
}

// A block is read whole before anything is applied, so one that cannot be read changes nothing.
void MurmelAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto entries = readStateBlock(data, sizeInBytes);
    if (!entries)
        return;

    applyStateEntries(
        *entries, [this](int index, float value) { setParameter(index, value); }, midiChannel,
        midiMap);
    parametersChanged.store(true, std::memory_order_relaxed);
    announceValuesToLv2Host();
}

// JUCE's LV2 client learns parameter values only from change messages: without them the host
// would keep showing, and later send back, values the processor does not have (after a restore,
// or its own zeros before the first change). The VST3 client reads the values by itself.
void MurmelAudioProcessor::announceValuesToLv2Host()
{
    if (wrapperType == wrapperType_LV2)
        for (int index = 0; index < numParameters; ++index)
            sendParamChangeMessageToListeners(index, getParameterValue(index));
}

} // namespace halvo
