#include "engine/MurmelAudioProcessor.h"

#include "HalvoIdentity.h"
#include "editor/MurmelAudioProcessorEditor.h"
#include "engine/SineWaveVoice.h"
#include "parameters/HostParameter.h"

#include <algorithm>
#include <cmath>

namespace halvo
{

MurmelAudioProcessor::MurmelAudioProcessor()
    : juce::AudioProcessor(busesFor(juce::PluginHostType::getPluginLoadedAs()))
{
    for (int index = 0; index < numParameters; ++index)
        addParameter(new HostParameter(*this, index));

    for (const int index : defaultsOrder)
        setParameter(index, parameterTable[static_cast<std::size_t>(index)].defaultValue);

    for (auto& assignment : midiMap)
        assignment.store(-1, std::memory_order_relaxed);

    synth.addVoice(new SineWaveVoice(engine.oscillator, currentSampleRate));
    synth.addSound(new SineWaveSound());

    for (auto& sample : scopeBuffer)
        sample.store(0.0f, std::memory_order_relaxed);
}

MurmelAudioProcessor::~MurmelAudioProcessor() = default;

// Input audio is never heard. Formats that negotiate channels get the (2, 2) and (1, 1) pairs hosts
// expect; an LV2's ports are fixed, and hosts take "MIDI in, audio out, no audio in" for an
// instrument, so the LV2 is built without inputs.
juce::AudioProcessor::BusesProperties MurmelAudioProcessor::busesFor(WrapperType wrapper)
{
    BusesProperties buses;
    if (wrapper != wrapperType_LV2)
        buses = buses.withInput("Input", juce::AudioChannelSet::stereo(), true);
    return buses.withOutput("Output", juce::AudioChannelSet::stereo(), true);
}

const juce::String MurmelAudioProcessor::getName() const
{
    return identity::productName;
}

void MurmelAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // A host may announce a rate of 0 or worse before it knows its device; keep the last good one.
    const bool usableRate = std::isfinite(sampleRate) && sampleRate >= 1.0;
    const double rate = usableRate ? sampleRate : static_cast<double>(currentSampleRate.load());

    synth.setCurrentPlaybackSampleRate(rate);
    keyboardState.reset();
    currentSampleRate.store(static_cast<float>(rate), std::memory_order_relaxed);
    engine.oscillator.setBaseFrequency(0.0f);
    // Derived again from what is stored, never stored again: a host's write that comes while
    // this runs is the value that stays.
    deriveSetting(delayTimeIndex);
    deriveSetting(delayFeedbackIndex);

    // The LV2 client is listening by now; its host starts from the values the processor has.
    if (!initialValuesAnnounced.exchange(true))
        announceValuesToLv2Host();
}

void MurmelAudioProcessor::releaseResources()
{
    keyboardState.reset();
}

void MurmelAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer,
                                        juce::MidiBuffer& midiMessages)
{
    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();

    handleControllerMessages(midiMessages);
    keyboardState.processNextMidiBuffer(midiMessages, 0, numSamples, true);
    synth.renderNextBlock(buffer, midiMessages, 0, numSamples);

    float* const* channels = buffer.getArrayOfWritePointers();
    if (numChannels > 0)
    {
        if (getTotalNumOutputChannels() == 1 || numChannels == 1)
            engine.processMono(channels[0], numSamples);
        else
            engine.processStereo(channels, numSamples);
    }

    outputStage.process(channels, numChannels, numSamples);
    midiMessages.clear();

    if (numChannels > 0)
        captureScope(channels[0], numSamples);
    else
        scopeCount.store(0, std::memory_order_relaxed);
}

void MurmelAudioProcessor::captureScope(const float* channel, int numSamples) noexcept
{
    const int count = std::clamp(numSamples, 0, scopeCapacity);
    for (int i = 0; i < count; ++i)
        scopeBuffer[static_cast<std::size_t>(i)].store(channel[i], std::memory_order_relaxed);
    scopeCount.store(count, std::memory_order_relaxed);
}

bool MurmelAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const int outputs = layouts.getMainOutputChannels();
    const bool inputsMatch =
        layouts.inputBuses.isEmpty() || layouts.getMainInputChannels() == outputs;
    return inputsMatch && (outputs == 2 || outputs == 1);
}

const juce::String MurmelAudioProcessor::getInputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

const juce::String MurmelAudioProcessor::getOutputChannelName(int channelIndex) const
{
    return juce::String(channelIndex + 1);
}

bool MurmelAudioProcessor::isInputChannelStereoPair(int) const
{
    return true;
}

bool MurmelAudioProcessor::isOutputChannelStereoPair(int) const
{
    return true;
}

bool MurmelAudioProcessor::silenceInProducesSilenceOut() const
{
    return false;
}

double MurmelAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

bool MurmelAudioProcessor::acceptsMidi() const
{
    return true;
}

bool MurmelAudioProcessor::producesMidi() const
{
    return false;
}

bool MurmelAudioProcessor::hasEditor() const
{
    return true;
}

juce::AudioProcessorEditor* MurmelAudioProcessor::createEditor()
{
    return new MurmelAudioProcessorEditor(*this);
}

} // namespace halvo
