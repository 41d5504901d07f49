#include "BenchmarkPatches.h"

#include <benchmark/benchmark.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <string>

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

// State blocks of the shapes a stranger's project may hold, each about 1 MiB but the first.
enum StateShape
{
    savedState,         // what the plug-in writes
    distinctNames,      // 170,000 element names, in descending order (refused)
    manyUnknownNames,   // 1,000 distinct unknown names, repeated (read)
    repeatedKnownNames, // the seven values over and over (read)
    emptyElements,      // the shortest element there is, over and over (read)
};

std::string stateText(int shape)
{
    std::string text = "<Root>";
    const auto fill = [&text](auto piece)
    {
        for (int i = 0; text.size() < (1 << 20) - 64; ++i)
            text += piece(i);
    };
    if (shape == distinctNames)
        fill([](int i) { return "<z" + std::to_string(170000 - i) + "/>"; });
    else if (shape == manyUnknownNames)
        fill([](int i) { return "<unknown" + std::to_string(i % 1000) + " a='1'/>"; });
    else if (shape == repeatedKnownNames)
        fill([](int) { return std::string("<Gain>0.5</Gain><OSC>1</OSC>"); });
    else if (shape == emptyElements)
        fill([](int) { return std::string("<a/>"); });
    else
        text += "<OSC>0.5</OSC><DelayTime>0.5</DelayTime><Gain>0.9</Gain>";
    return text + "</Root>";
}

juce::MemoryBlock stateBlock(const std::string& text)
{
    juce::MemoryOutputStream out;
    out.writeInt(0x21324356);
    out.writeInt(static_cast<int>(text.size()));
    out.write(text.data(), text.size());
    out.writeByte(0);
    return out.getMemoryBlock();
}

// The block restored through the host, as a project being opened restores it.
void hostedVst3StateRestore(benchmark::State& state)
{
    const auto instance = loadBuiltVst3();
    if (instance == nullptr)
    {
        state.SkipWithError("the built VST3 could not be loaded");
        return;
    }
    juce::XmlElement hostState("VST3PluginState");
    hostState.createNewChildElement("IComponent")
        ->addTextElement(
            stateBlock(stateText(static_cast<int>(state.range(0)))).toBase64Encoding());
    juce::MemoryBlock data;
    juce::AudioProcessor::copyXmlToBinary(hostState, data);
    for (auto _ : state)
        instance->setStateInformation(data.getData(), static_cast<int>(data.getSize()));
}
BENCHMARK(hostedVst3StateRestore)
    ->ArgName("shape")
    ->DenseRange(savedState, emptyElements)
    ->Unit(benchmark::kMillisecond);

// Peer: JUCE's XML parser given the same text with no check before it; the names it pools are
// let go after each run, so that one shape does not slow the next.
void juceXmlParse(benchmark::State& state)
{
    const auto text = juce::String(stateText(static_cast<int>(state.range(0))));
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(juce::parseXML(text));
        juce::StringPool::getGlobalPool().garbageCollect();
    }
}
BENCHMARK(juceXmlParse)
    ->ArgName("shape")
    ->DenseRange(savedState, emptyElements)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace halvo::benchmarks
