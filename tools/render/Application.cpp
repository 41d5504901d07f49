#include "Application.h"

#include "AudioPlot.h"
#include "DemoPhrase.h"
#include "EventScheduler.h"
#include "HelpText.h"
#include "MidiFileLoader.h"
#include "ProcessorSetup.h"
#include "RenderError.h"
#include "Renderer.h"
#include "SettingsText.h"
#include "StateFile.h"
#include "WavFileWriter.h"
#include "presets/FactoryPresets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace halvo::render
{
namespace
{
juce::File fileFromArgument(const std::string& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile(juce::String(path));
}

Performance loadPerformance(const RenderOptions& options)
{
    if (!options.midiFile.empty())
        return loadMidiFile(fileFromArgument(options.midiFile));
    if (!options.presetName.empty())
        return presetPhrase(options.presetName);

    auto performance = demoPhrase();
    std::vector<int> setByHand;
    for (const auto& setting : options.settings)
        setByHand.push_back(setting.parameterIndex);
    dropParameterChanges(performance, setByHand);
    return performance;
}

std::int64_t totalSamplesFor(const Performance& performance, const RenderOptions& options)
{
    if (performance.lengthSeconds + options.tailSeconds > maxRenderSeconds)
        throw RenderError(
            "the render would last " +
            juce::String(performance.lengthSeconds + options.tailSeconds, 0).toStdString() +
            " s; halvo-render renders at most " +
            std::to_string(static_cast<int>(maxRenderSeconds)) + " s");
    const auto total = secondsToSamples(performance.lengthSeconds, options.sampleRate) +
                       secondsToSamples(options.tailSeconds, options.sampleRate);
    if (total == 0)
        throw RenderError("nothing to render: the MIDI file holds no events and --tail is 0");
    return total;
}

// The values the first block plays with: the processor's, then the phrase's moves at time 0.
std::array<float, numParameters> startingValues(const MurmelAudioProcessor& processor,
                                                const Performance& performance)
{
    std::array<float, numParameters> values{};
    for (int index = 0; index < numParameters; ++index)
        values[static_cast<std::size_t>(index)] = processor.getParameterValue(index);
    for (const auto& change : performance.parameterChanges)
        if (change.seconds <= 0.0)
            values[static_cast<std::size_t>(change.parameterIndex)] = change.value;
    return values;
}

juce::String laterChanges(const Performance& performance)
{
    juce::StringArray names;
    for (const auto& change : performance.parameterChanges)
        if (change.seconds > 0.0)
            names.addIfNotAlreadyThere(
                parameterTable[static_cast<std::size_t>(change.parameterIndex)].name);
    return names.isEmpty() ? juce::String()
                           : "Moved by the phrase as it plays: " + names.joinIntoString(", ");
}

PlotCaption captionFor(const MurmelAudioProcessor& processor, const Performance& performance,
                       const RenderOptions& options, const juce::String& outputName)
{
    std::array<int, numParameters> assignments{};
    for (std::size_t index = 0; index < assignments.size(); ++index)
        assignments[index] = processor.midiMap[index].load(std::memory_order_relaxed);

    PlotCaption caption;
    caption.title = juce::String(juce::CharPointer_UTF8("Halvo  \xc2\xb7  ")) + performance.title;
    caption.details.add(juce::String(options.sampleRate) + " Hz   " +
                        (options.numChannels == 1 ? "mono" : "stereo") + "   " +
                        juce::String(options.blockSize) + "-sample blocks   " +
                        juce::String(performance.lengthSeconds, 1) + " s + " +
                        juce::String(options.tailSeconds, 1) + " s tail   " + outputName);
    caption.details.add("At the start: " +
                        describeParameters(startingValues(processor, performance)));

    juce::StringArray notes;
    if (!options.presetName.empty() && !options.midiFile.empty())
        notes.add("Preset " + juce::String(options.presetName));
    notes.add(laterChanges(performance));
    notes.add(
        describeControllers(assignments, processor.midiChannel.load(std::memory_order_relaxed)));
    notes.removeEmptyStrings();
    caption.details.add(notes.joinIntoString("   |   "));
    return caption;
}

void writePlot(AudioPlot& plot, const PlotCaption& caption, const Performance& performance,
               StagedFile& file)
{
    const auto image = plot.draw(caption, performance.markers);
    juce::PNGImageFormat png;
    if (!png.writeImageToStream(image, file.stream()))
        throw RenderError(
            ("cannot encode the plot '" + file.target().getFullPathName() + "'").toStdString());
}

void writeState(MurmelAudioProcessor& processor, StagedFile& file)
{
    juce::MemoryBlock state;
    processor.getStateInformation(state);
    file.stream().write(state.getData(), state.getSize());
}

juce::String decibels(float level)
{
    return level > 0.0f ? juce::String(20.0 * std::log10(level), 1) + " dBFS" : "silence";
}

int render(const RenderOptions& options, std::ostream& out)
{
    // Inputs first: nothing is opened for writing until they are known to be good.
    const auto performance = loadPerformance(options);
    const auto totalSamples = totalSamplesFor(performance, options);
    std::optional<juce::MemoryBlock> savedState;
    if (!options.statePath.empty())
        savedState = loadStateFile(fileFromArgument(options.statePath));

    MurmelAudioProcessor processor;
    const double sampleRate = options.sampleRate;
    prepareProcessor(processor, options.numChannels, sampleRate, options.blockSize);
    const auto parameters = findHostParameters(processor);
    if (savedState)
        restoreState(processor, *savedState, fileFromArgument(options.statePath));
    if (!options.presetName.empty())
        applyPreset(processor, *findFactoryPreset(options.presetName));
    applyStartSettings(processor, parameters, options);

    const auto outputFile = fileFromArgument(options.outputPath);
    WavFileWriter wav(outputFile, sampleRate, options.numChannels);
    std::optional<StagedFile> plotFile;
    std::optional<AudioPlot> plot;
    if (!options.plotPath.empty())
    {
        plotFile.emplace(fileFromArgument(options.plotPath), "plot");
        plot.emplace(sampleRate, options.numChannels, totalSamples);
    }
    std::optional<StagedFile> stateFile;
    if (!options.saveStatePath.empty())
        stateFile.emplace(fileFromArgument(options.saveStatePath), "state file");

    const auto caption = captionFor(processor, performance, options, outputFile.getFileName());
    out << "Rendering " << performance.title << ": " << caption.details[0] << "\n"
        << caption.details[1] << "\n";
    if (caption.details[2].isNotEmpty())
        out << caption.details[2] << "\n";
    out.flush();

    float peak = 0.0f;
    renderPerformance(processor, parameters, performance,
                      {sampleRate, options.blockSize, options.numChannels, totalSamples},
                      [&](const juce::AudioBuffer<float>& block)
                      {
                          wav.write(block);
                          if (plot)
                              plot->push(block);
                          peak = std::max(peak, block.getMagnitude(0, block.getNumSamples()));
                      });

    if (plot)
        writePlot(*plot, caption, performance, *plotFile);
    if (stateFile)
        writeState(processor, *stateFile);

    wav.commit();
    out << "Wrote " << outputFile.getFullPathName() << " (24-bit PCM WAV, " << options.numChannels
        << (options.numChannels == 1 ? " channel, " : " channels, ") << options.sampleRate
        << " Hz, " << juce::String(static_cast<double>(totalSamples) / sampleRate, 3) << " s, "
        << totalSamples << " samples, peak " << decibels(peak) << ")\n";
    if (plotFile)
    {
        plotFile->commit();
        out << "Wrote " << plotFile->target().getFullPathName() << " (" << AudioPlot::width << " x "
            << AudioPlot::height << " PNG)\n";
    }
    if (stateFile)
    {
        stateFile->commit();
        out << "Wrote " << stateFile->target().getFullPathName() << " (state block)\n";
    }
    if (peak >= 1.0f)
        out << "Note: the output reached full scale and was clipped; a lower Gain "
               "(e.g. --set Gain=0.85) avoids that.\n";
    return 0;
}
} // namespace

int runRenderer(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto parsed = parseArguments(arguments);
    if (!parsed.error.empty())
    {
        err << "halvo-render: " << parsed.error << "\nRun 'halvo-render --help' for the options.\n";
        return 1;
    }
    if (parsed.options.showHelp)
    {
        out << helpText();
        return 0;
    }
    if (parsed.options.listPresets)
    {
        for (const auto& preset : factoryPresets())
            out << juce::String(preset.name).paddedRight(' ', maxPresetNameLength) << "  "
                << preset.description << "\n";
        return 0;
    }

    try
    {
        return render(parsed.options, out);
    }
    catch (const RenderError& error)
    {
        err << "halvo-render: " << error.what() << "\n";
        return 1;
    }
    catch (const std::exception& error)
    {
        err << "halvo-render: internal error: " << error.what() << "\n";
        return 1;
    }
}

} // namespace halvo::render
