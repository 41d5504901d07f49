#include "ProcessorSetup.h"

#include "RenderError.h"

namespace halvo::render
{

HostParameters findHostParameters(juce::AudioProcessor& processor)
{
    HostParameters found{};
    for (auto* parameter : processor.getParameters())
        if (const auto index = findParameterIndex(parameter->getName(1024).toStdString()))
            found[static_cast<std::size_t>(*index)] = parameter;

    for (std::size_t index = 0; index < found.size(); ++index)
        if (found[index] == nullptr)
            throw RenderError(std::string("the processor has no parameter named ") +
                              parameterTable[index].name);
    return found;
}

void prepareProcessor(MurmelAudioProcessor& processor, int numChannels, double sampleRate,
                      int blockSize)
{
    const auto channels =
        numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(channels);
    layout.outputBuses.add(channels);
    if (!processor.setBusesLayout(layout))
        throw RenderError("the instrument refused a " + std::to_string(numChannels) +
                          "-channel layout");

    processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);
}

void restoreState(MurmelAudioProcessor& processor, const juce::MemoryBlock& state,
                  const juce::File& source)
{
    // The processor ignores a block it cannot read; only a read block marks the parameters
    // changed, which tells the two apart.
    processor.parametersChanged.store(false, std::memory_order_relaxed);
    processor.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    if (!processor.parametersChanged.load(std::memory_order_relaxed))
        throw RenderError(
            ("'" + source.getFullPathName() + "' is not a Halvo state block").toStdString());
}

void applyPreset(MurmelAudioProcessor& processor, const FactoryPreset& preset)
{
    const auto block = presetStateBlock(preset);
    processor.setStateInformation(block.data(), static_cast<int>(block.size()));
}

void applyStartSettings(MurmelAudioProcessor& processor, const HostParameters& parameters,
                        const RenderOptions& options)
{
    for (const auto& assignment : options.assignments)
        processor.midiMap[static_cast<std::size_t>(assignment.parameterIndex)].store(
            assignment.controller, std::memory_order_relaxed);

    if (options.midiChannel)
        processor.midiChannel.store(*options.midiChannel, std::memory_order_relaxed);

    for (const auto& setting : options.settings)
        parameters[static_cast<std::size_t>(setting.parameterIndex)]->setValue(setting.value);
}

} // namespace halvo::render
