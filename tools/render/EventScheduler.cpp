#include "EventScheduler.h"

#include <algorithm>
#include <cmath>

namespace halvo::render
{

std::int64_t secondsToSamples(double seconds, double sampleRate) noexcept
{
    return std::max<std::int64_t>(0, std::llround(seconds * sampleRate));
}

EventScheduler::EventScheduler(const Performance& performance, double sampleRate)
    : length(secondsToSamples(performance.lengthSeconds, sampleRate))
{
    for (const auto& event : performance.midi)
        midiEvents.push_back({secondsToSamples(event.seconds, sampleRate), event.message});
    for (const auto& change : performance.parameterChanges)
        changeEvents.push_back({secondsToSamples(change.seconds, sampleRate), change});

    const auto earlier = [](const auto& a, const auto& b) { return a.position < b.position; };
    std::stable_sort(midiEvents.begin(), midiEvents.end(), earlier);
    std::stable_sort(changeEvents.begin(), changeEvents.end(), earlier);
}

void EventScheduler::takeBlock(std::int64_t blockStart, int numSamples, juce::MidiBuffer& midi,
                               std::vector<ParameterChange>& changes)
{
    const std::int64_t blockEnd = blockStart + numSamples;

    for (; nextMidi < midiEvents.size() && midiEvents[nextMidi].position < blockEnd; ++nextMidi)
    {
        const auto& event = midiEvents[nextMidi];
        const auto offset = std::max<std::int64_t>(0, event.position - blockStart);
        midi.addEvent(event.message, static_cast<int>(offset));
    }

    for (; nextChange < changeEvents.size() && changeEvents[nextChange].position < blockEnd;
         ++nextChange)
        changes.push_back(changeEvents[nextChange].change);
}

} // namespace halvo::render
