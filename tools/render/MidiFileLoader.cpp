#include "MidiFileLoader.h"

#include "RenderError.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>

namespace halvo::render
{
namespace
{
constexpr int markerMetaEvent = 6;

std::string inQuotes(const juce::File& file)
{
    return "'" + file.getFullPathName().toStdString() + "'";
}
} // namespace

std::optional<Performance> readMidiFile(juce::InputStream& input, const juce::String& title)
{
    juce::MidiFile file;
    if (!file.readFrom(input))
        return std::nullopt;
    file.convertTimestampTicksToSeconds();

    Performance performance;
    performance.title = title;
    for (int track = 0; track < file.getNumTracks(); ++track)
    {
        for (const auto* event : *file.getTrack(track))
        {
            const auto& message = event->message;
            const double seconds = std::max(0.0, message.getTimeStamp());
            if (message.isMetaEvent())
            {
                if (message.getMetaEventType() == markerMetaEvent)
                    performance.markers.push_back({seconds, message.getTextFromTextMetaEvent()});
                continue;
            }
            if (message.isSysEx())
                continue;
            performance.midi.push_back({seconds, message});
            performance.lengthSeconds = std::max(performance.lengthSeconds, seconds);
        }
    }
    sortByTime(performance);
    return performance;
}

Performance loadMidiFile(const juce::File& file)
{
    if (!file.exists())
        throw RenderError("cannot read the MIDI file " + inQuotes(file) + ": no such file");
    if (file.isDirectory())
        throw RenderError("cannot read the MIDI file " + inQuotes(file) + ": it is a directory");

    juce::FileInputStream input(file);
    if (input.failedToOpen())
        throw RenderError("cannot read the MIDI file " + inQuotes(file) + ": " +
                          input.getStatus().getErrorMessage().toStdString());

    auto performance = readMidiFile(input, file.getFileName());
    if (!performance)
        throw RenderError(inQuotes(file) + " is not a Standard MIDI File");
    return std::move(*performance);
}

} // namespace halvo::render
