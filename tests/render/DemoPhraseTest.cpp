#include "DemoPhrase.h"

#include "parameters/ParameterTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace halvo::render
{
namespace
{
struct Note
{
    int number;
    double start;
    double end;
    std::array<float, numParameters> settings; // in effect when the note starts
};

// Notes of the phrase with the parameter values they start under, from the defaults.
std::vector<Note> notesOf(const Performance& performance)
{
    std::array<float, numParameters> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = parameterTable[i].defaultValue;

    std::vector<Note> notes;
    std::map<int, std::size_t> sounding;
    std::size_t nextChange = 0;
    for (const auto& event : performance.midi)
    {
        const auto& changes = performance.parameterChanges;
        for (; nextChange < changes.size() && changes[nextChange].seconds <= event.seconds;
             ++nextChange)
            values[static_cast<std::size_t>(changes[nextChange].parameterIndex)] =
                changes[nextChange].value;

        const int number = event.message.getNoteNumber();
        if (event.message.isNoteOn())
        {
            sounding[number] = notes.size();
            notes.push_back({number, event.seconds, -1.0, values});
        }
        else if (event.message.isNoteOff() && sounding.count(number) != 0)
        {
            notes[sounding[number]].end = event.seconds;
            sounding.erase(number);
        }
    }
    return notes;
}

TEST(DemoPhrase, FitsItsLengthInTimeOrderWithEveryNoteEnded)
{
    const auto phrase = demoPhrase();
    EXPECT_GE(phrase.lengthSeconds, 15.0);
    EXPECT_LE(phrase.lengthSeconds, 25.0);

    double previous = 0.0;
    for (const auto& event : phrase.midi)
    {
        EXPECT_GE(event.seconds, previous);
        previous = event.seconds;
    }
    EXPECT_LE(previous, phrase.lengthSeconds);

    for (const auto& change : phrase.parameterChanges)
    {
        EXPECT_GE(change.seconds, 0.0);
        EXPECT_LE(change.seconds, phrase.lengthSeconds);
        EXPECT_TRUE(isParameterIndex(change.parameterIndex));
        EXPECT_GE(change.value, 0.0f);
        EXPECT_LE(change.value, 1.0f);
    }

    for (const auto& note : notesOf(phrase))
    {
        EXPECT_GT(note.end, note.start) << "note " << note.number << " never ends";
        EXPECT_LE(note.end, phrase.lengthSeconds);
    }
}

TEST(DemoPhrase, NotesFollowOneAnotherAsTheMonophonicInstrumentPlaysThem)
{
    const auto notes = notesOf(demoPhrase());
    for (std::size_t i = 1; i < notes.size(); ++i)
        EXPECT_LE(notes[i - 1].end, notes[i].start)
            << "note at " << notes[i].start << " s would cut the one before short";
}

TEST(DemoPhrase, PlaysEveryWaveformUnsweptAndEverySweepModeSwept)
{
    std::set<int> unsweptWaveforms;
    std::set<int> sweptModes;
    for (const auto& note : notesOf(demoPhrase()))
    {
        if (sweepRateFor(note.settings[rateIndex]) == 0.0f)
            unsweptWaveforms.insert(waveformFor(note.settings[oscIndex]));
        else
            sweptModes.insert(sweepModeFor(note.settings[modeIndex]));
    }
    EXPECT_EQ(unsweptWaveforms, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(sweptModes, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace halvo::render
