#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

#include "engine/MonoSynthesiser.h"
#include "engine/OutputStage.h"
#include "engine/SoundEngine.h"
#include "parameters/ParameterTable.h"

namespace halvo
{

// The plug-in instance: note input, signal chain, output stage, parameters, controller assignments
// and the scope capture. Members shared with other threads are atomics; the window reads and writes
// several of them directly.
class MurmelAudioProcessor final : public juce::AudioProcessor
{
public:
    static constexpr int scopeCapacity = 512;

    MurmelAudioProcessor();
    ~MurmelAudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay(double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;
    bool isBusesLayoutSupported(const BusesLayout& layouts) const override;

    const juce::String getInputChannelName(int channelIndex) const override;
    const juce::String getOutputChannelName(int channelIndex) const override;
    bool isInputChannelStereoPair(int index) const override;
    bool isOutputChannelStereoPair(int index) const override;
    bool silenceInProducesSilenceOut() const override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    // Parameters: index-based, as every writer (host, window, controllers, state) uses them.
    int getNumParameters() override;
    const juce::String getParameterName(int index) override;
    using juce::AudioProcessor::getParameterName;
    float getParameter(int index) override;
    float getParameterDefaultValue(int index) override;
    const juce::String getParameterText(int index) override;
    using juce::AudioProcessor::getParameterText;
    void setParameter(int index, float value) override;
    float getParameterValue(int index) const noexcept;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int index) override;
    const juce::String getProgramName(int index) override;
    void changeProgramName(int index, const juce::String& newName) override;

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    juce::MidiKeyboardState keyboardState;
    SoundEngine engine;
    std::atomic<float> currentSampleRate{44100.0f};
    MonoSynthesiser synth;
    std::atomic<bool> midiLearnEnabled{false};
    std::atomic<int> learnParameterIndex{-1};
    std::array<std::atomic<int>, numParameters> midiMap;
    std::atomic<int> midiChannel{0};
    std::array<std::atomic<float>, numParameters> paramValues;
    std::atomic<bool> parametersChanged{true};
    OutputStage outputStage;
    std::array<std::atomic<float>, scopeCapacity> scopeBuffer;
    std::atomic<int> scopeCount{scopeCapacity};

private:
    static BusesProperties busesFor(WrapperType wrapper);
    void deriveSetting(int index) noexcept;
    void applyParameter(int index, float value, float sampleRate) noexcept;
    void handleControllerMessages(const juce::MidiBuffer& midiMessages);
    void writeParameterFromController(int index, float value);
    void captureScope(const float* channel, int numSamples) noexcept;
    void announceValuesToLv2Host();

    std::atomic<bool> initialValuesAnnounced{false};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MurmelAudioProcessor)
};

} // namespace halvo
