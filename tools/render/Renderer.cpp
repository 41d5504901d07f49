#include "Renderer.h"

#include "EventScheduler.h"

#include <algorithm>

namespace halvo::render
{

void renderPerformance(juce::AudioProcessor& processor, const HostParameters& parameters,
                       const Performance& performance, const RenderSettings& settings,
                       const BlockConsumer& consume)
{
    EventScheduler scheduler(performance, settings.sampleRate);
    juce::AudioBuffer<float> buffer(settings.numChannels, settings.blockSize);
    juce::MidiBuffer midi;
    std::vector<ParameterChange> changes;

    for (std::int64_t start = 0; start < settings.totalSamples; start += settings.blockSize)
    {
        const int numSamples = static_cast<int>(
            std::min<std::int64_t>(settings.blockSize, settings.totalSamples - start));
        buffer.setSize(settings.numChannels, numSamples, false, false, true);
        buffer.clear();
        midi.clear();
        changes.clear();

        scheduler.takeBlock(start, numSamples, midi, changes);
        for (const auto& change : changes)
            parameters[static_cast<std::size_t>(change.parameterIndex)]->setValue(change.value);

        processor.processBlock(buffer, midi);
        consume(buffer);
    }
}

} // namespace halvo::render
