#include "WebInstrument.h"

#include "engine/SineWaveVoice.h"
#include "parameters/ControllerStep.h"
#include "parameters/EngineSettings.h"
#include "parameters/StateFormat.h"

#include <algorithm>
#include <cmath>

namespace halvo
{
namespace
{
// Enough for any real quantum's MIDI; a flood beyond it is dropped rather than allocated for.
constexpr int maxQueuedEvents = 1024;
constexpr int bytesPerQueuedEvent = 16;
} // namespace

WebInstrument::WebInstrument()
{
    for (const int index : defaultsOrder)
        setParameter(index, parameterTable[static_cast<std::size_t>(index)].defaultValue);

    for (auto& assignment : midiMap)
        assignment.store(-1, std::memory_order_relaxed);

    synth.addVoice(new SineWaveVoice(engine.oscillator, currentSampleRate));
    synth.addSound(new SineWaveSound());
    midi.ensureSize(maxQueuedEvents * bytesPerQueuedEvent);
}

void WebInstrument::prepare(float sampleRate) noexcept
{
    const bool usableRate = std::isfinite(sampleRate) && sampleRate >= 1.0f;
    const float rate = usableRate ? sampleRate : currentSampleRate.load();

    synth.setCurrentPlaybackSampleRate(rate);
    currentSampleRate.store(rate, std::memory_order_relaxed);
    engine.oscillator.setBaseFrequency(0.0f);
    applyParameter(delayTimeIndex, getParameter(delayTimeIndex));
    applyParameter(delayFeedbackIndex, getParameter(delayFeedbackIndex));
}

bool WebInstrument::addMidi(int frame, std::uint8_t status, std::uint8_t data1,
                            std::uint8_t data2) noexcept
{
    // Channel messages only: system messages play no part in the instrument.
    if (status < 0x80 || status >= 0xf0 || queuedEvents >= maxQueuedEvents)
        return false;

    const std::uint8_t bytes[3] = {status, static_cast<std::uint8_t>(data1 & 0x7f),
                                   static_cast<std::uint8_t>(data2 & 0x7f)};
    const int length = juce::MidiMessage::getMessageLengthFromFirstByte(status);
    midi.addEvent(bytes, length, std::clamp(frame, 0, maxFrames - 1));
    ++queuedEvents;
    return true;
}

// The steps of the plug-in's block, in its order.
void WebInstrument::process(int numFrames, bool stereo) noexcept
{
    const int n = std::clamp(numFrames, 0, maxFrames);

    applyControllerMessages(midi, {midiMap, midiChannel, learnEnabled, learnParameterIndex},
                            [this](int index, float value) { setParameter(index, value); });

    float* const channels[numChannels] = {outputs[0].data(), outputs[1].data()};
    const int channelCount = stereo ? 2 : 1;
    synthBuffer.setDataToReferTo(channels, channelCount, n);
    synth.renderNextBlock(synthBuffer, midi, 0, n);

    if (stereo)
        engine.processStereo(channels, n);
    else
        engine.processMono(channels[0], n);
    outputStage.process(channels, channelCount, n);

    midi.clear();
    queuedEvents = 0;
}

void WebInstrument::setParameter(int index, float value) noexcept
{
    if (!isParameterIndex(index) || !std::isfinite(value))
        return;
    paramValues[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
    applyParameter(index, value);
}

float WebInstrument::getParameter(int index) const noexcept
{
    return isParameterIndex(index)
               ? paramValues[static_cast<std::size_t>(index)].load(std::memory_order_relaxed)
               : 0.0f;
}

void WebInstrument::applyParameter(int index, float value) noexcept
{
    applyEngineSetting(engine, outputStage, index, value,
                       currentSampleRate.load(std::memory_order_relaxed));
}

void WebInstrument::setMidiChannel(int channel) noexcept
{
    if (channel >= 0 && channel <= 16)
        midiChannel.store(channel, std::memory_order_relaxed);
}

int WebInstrument::getAssignment(int index) const noexcept
{
    return isParameterIndex(index)
               ? midiMap[static_cast<std::size_t>(index)].load(std::memory_order_relaxed)
               : -1;
}

void WebInstrument::setLearnTarget(int index) noexcept
{
    const bool learning = isParameterIndex(index);
    learnParameterIndex.store(learning ? index : -1, std::memory_order_relaxed);
    learnEnabled.store(learning, std::memory_order_relaxed);
}

void WebInstrument::clearAssignments() noexcept
{
    for (auto& assignment : midiMap)
        assignment.store(-1, std::memory_order_relaxed);
}

std::vector<char> WebInstrument::writeState() const
{
    PluginState state;
    for (int index = 0; index < numParameters; ++index)
    {
        const auto i = static_cast<std::size_t>(index);
        state.parameters[i] = getParameter(index);
        state.midiMap[i] = midiMap[i].load(std::memory_order_relaxed);
    }
    state.midiChannel = midiChannel.load(std::memory_order_relaxed);
    return writeStateBlock(state);
}

bool WebInstrument::readState(const void* data, int sizeInBytes)
{
    const auto entries = readStateBlock(data, sizeInBytes);
    if (!entries)
        return false;

    applyStateEntries(
        *entries, [this](int index, float value) { setParameter(index, value); }, midiChannel,
        midiMap);
    return true;
}

} // namespace halvo
