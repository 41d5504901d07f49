#include "BenchmarkPatches.h"

#include <benchmark/benchmark.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace halvo::benchmarks
{
namespace
{

constexpr double sampleRate = 44100.0;

// The built VST3 loaded through JUCE's hosting classes, as a host application would load it.
std::unique_ptr<juce::AudioPluginInstance> loadBuiltVst3()
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    const auto bundle = juce::File(HALVO_VST3_BINARY)
                            .getParentDirectory()
                            .getParentDirectory()
                            .getParentDirectory();
    format.findAllTypesForFile(types, bundle.getFullPathName());
    if (types.isEmpty())
        return nullptr;
    juce::String error;
    return format.createInstanceFromDescription(*types[0], sampleRate, blockSize, error);
}

void setParameter(juce::AudioPluginInstance& instance, const juce::String& name, float value)
{
    for (auto* parameter : instance.getParameters())
        if (parameter->getName(100) == name)
            parameter->setValueNotifyingHost(value);
}

// Argument: the patch (0 default, 1 worst). One held A4, stereo, 512-sample blocks.
void hostedHalvoVst3(benchmark::State& state)
{
    const auto instance = loadBuiltVst3();
    if (instance == nullptr)
    {
        state.SkipWithError("the built VST3 could not be loaded");
        return;
    }
    if (state.range(0) == worstPatch)
    {
        setParameter(*instance, "OSC", 0.0f);
        setParameter(*instance, "Mode", 1.0f / 6.0f);
        setParameter(*instance, "Reverb", 1.0f);
    }
    instance->prepareToPlay(sampleRate, blockSize);

    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    midi.addEvent(juce::MidiMessage::noteOn(1, 69, 0.8f), 0);
    instance->processBlock(buffer, midi);
    midi.clear();
    for (auto _ : state)
    {
        instance->processBlock(buffer, midi);
        benchmark::DoNotOptimize(buffer.getReadPointer(0));
    }
    state.SetItemsProcessed(state.iterations() * blockSize);
    instance->releaseResources();
}
BENCHMARK(hostedHalvoVst3)->ArgName("patch")->Arg(defaultPatch)->Arg(worstPatch);

} // namespace
} // namespace halvo::benchmarks
