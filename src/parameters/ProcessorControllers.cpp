#include "engine/MurmelAudioProcessor.h"

#include "parameters/ControllerStep.h"

namespace halvo
{

void MurmelAudioProcessor::writeParameterFromController(int index, float value)
{
    setParameter(index, value);
    sendParamChangeMessageToListeners(index, value);
}

void MurmelAudioProcessor::handleControllerMessages(const juce::MidiBuffer& midiMessages)
{
    applyControllerMessages(
        midiMessages, {midiMap, midiChannel, midiLearnEnabled, learnParameterIndex},
        [this](int index, float value) { writeParameterFromController(index, value); });
}

} // namespace halvo
