#include "MidiFileLoader.h"

#include "RenderError.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

namespace halvo::render
{
namespace
{
constexpr int ticksPerQuarter = 480;

juce::MidiMessage at(juce::MidiMessage message, double tick)
{
    message.setTimeStamp(tick);
    return message;
}

// Two tracks: a tempo map (120 bpm, then 60 bpm from beat 2) and the music.
juce::MemoryBlock twoTrackFile()
{
    juce::MidiMessageSequence tempoTrack;
    tempoTrack.addEvent(at(juce::MidiMessage::tempoMetaEvent(500000), 0));
    tempoTrack.addEvent(at(juce::MidiMessage::tempoMetaEvent(1000000), 960));
    tempoTrack.addEvent(at(juce::MidiMessage::textMetaEvent(6, "chorus"), 1440));

    juce::MidiMessageSequence music;
    music.addEvent(at(juce::MidiMessage::noteOn(1, 60, static_cast<juce::uint8>(100)), 480));
    music.addEvent(at(juce::MidiMessage::noteOff(1, 60), 1440));
    music.addEvent(at(juce::MidiMessage::controllerEvent(1, 74, 127), 1440));
    const juce::uint8 sysex[] = {0x7e, 0x7f, 0x09, 0x01};
    music.addEvent(at(juce::MidiMessage::createSysExMessage(sysex, 4), 1500));
    music.addEvent(at(juce::MidiMessage::noteOn(2, 64, static_cast<juce::uint8>(90)), 1920));

    juce::MidiFile file;
    file.setTicksPerQuarterNote(ticksPerQuarter);
    file.addTrack(tempoTrack);
    file.addTrack(music);

    juce::MemoryOutputStream bytes;
    file.writeTo(bytes);
    return bytes.getMemoryBlock();
}

TEST(MidiFileLoader, MergesTracksOnTheTempoMapsClock)
{
    juce::MemoryInputStream input(twoTrackFile(), true);
    const auto performance = readMidiFile(input, "song.mid");
    ASSERT_TRUE(performance.has_value());

    // 480 ticks at 120 bpm = 0.5 s; the next 480 too; then 1 s per 480 ticks at 60 bpm.
    const std::vector<std::pair<double, bool>> expected{
        {0.5, true}, {2.0, false}, {2.0, false}, {3.0, true}};
    ASSERT_EQ(performance->midi.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_NEAR(performance->midi[i].seconds, expected[i].first, 1e-9) << i;
        EXPECT_EQ(performance->midi[i].message.isNoteOn(), expected[i].second) << i;
    }
    EXPECT_TRUE(performance->midi[2].message.isControllerOfType(74));
    EXPECT_EQ(performance->midi[3].message.getChannel(), 2);
    EXPECT_NEAR(performance->lengthSeconds, 3.0, 1e-9);

    ASSERT_EQ(performance->markers.size(), 1u);
    EXPECT_EQ(performance->markers[0].label, "chorus");
    EXPECT_NEAR(performance->markers[0].seconds, 2.0, 1e-9);
    EXPECT_EQ(performance->title, "song.mid");
}

TEST(MidiFileLoader, OtherBytesAreNotMidi)
{
    for (const std::string& bytes :
         {std::string(), std::string("RIFF....WAVEfmt "), std::string("MThd\0\0\0\6\0\1\0\2", 12)})
    {
        juce::MemoryInputStream input(bytes.data(), bytes.size(), false);
        EXPECT_FALSE(readMidiFile(input, "x").has_value()) << bytes.size() << " bytes";
    }
}

TEST(MidiFileLoader, FileProblemsAreReportedWithThePath)
{
    const test::ScratchDirectory scratch;
    const auto directory = scratch.path();
    const auto textFile = scratch.file("notes.txt");
    ASSERT_TRUE(textFile.replaceWithText("not a MIDI file"));

    const std::vector<std::pair<juce::File, std::string>> cases{
        {scratch.file("missing.mid"), "no such file"},
        {directory, "is a directory"},
        {textFile, "is not a Standard MIDI File"},
    };
    for (const auto& [file, expected] : cases)
    {
        try
        {
            loadMidiFile(file);
            ADD_FAILURE() << "no error for " << file.getFullPathName();
        }
        catch (const RenderError& error)
        {
            const std::string message = error.what();
            EXPECT_NE(message.find(expected), std::string::npos) << message;
            EXPECT_NE(message.find(file.getFullPathName().toStdString()), std::string::npos)
                << message;
        }
    }
}

} // namespace
} // namespace halvo::render
