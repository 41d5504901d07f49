#include "EventScheduler.h"

#include <gtest/gtest.h>

namespace halvo::render
{
namespace
{
struct Delivered
{
    std::int64_t position;
    int noteNumber;
    bool noteOn;
};

std::vector<Delivered> deliverAll(const Performance& performance, double sampleRate, int blockSize,
                                  std::int64_t totalSamples,
                                  std::vector<std::pair<std::int64_t, ParameterChange>>* changes)
{
    EventScheduler scheduler(performance, sampleRate);
    std::vector<Delivered> delivered;
    for (std::int64_t start = 0; start < totalSamples; start += blockSize)
    {
        const int n = static_cast<int>(std::min<std::int64_t>(blockSize, totalSamples - start));
        juce::MidiBuffer midi;
        std::vector<ParameterChange> blockChanges;
        scheduler.takeBlock(start, n, midi, blockChanges);
        for (const auto event : midi)
        {
            EXPECT_GE(event.samplePosition, 0);
            EXPECT_LT(event.samplePosition, n);
            const auto message = event.getMessage();
            delivered.push_back(
                {start + event.samplePosition, message.getNoteNumber(), message.isNoteOn()});
        }
        if (changes != nullptr)
            for (const auto& change : blockChanges)
                changes->push_back({start, change});
    }
    return delivered;
}

Performance notesAt(std::initializer_list<std::pair<double, int>> onsets)
{
    Performance performance;
    for (const auto& [seconds, note] : onsets)
    {
        performance.midi.push_back(
            {seconds, juce::MidiMessage::noteOn(1, note, static_cast<juce::uint8>(100))});
        performance.midi.push_back({seconds + 0.25, juce::MidiMessage::noteOff(1, note)});
    }
    sortByTime(performance);
    performance.lengthSeconds = 2.0;
    return performance;
}

TEST(EventScheduler, EveryEventArrivesOnceAtItsSampleWhateverTheBlockSize)
{
    const auto performance = notesAt({{0.0, 60}, {0.1, 62}, {0.5, 64}, {1.23456, 65}});
    const double rate = 48000.0;
    for (const int blockSize : {1, 100, 512, 4096, 65536})
    {
        const auto delivered = deliverAll(performance, rate, blockSize, 96000, nullptr);
        ASSERT_EQ(delivered.size(), performance.midi.size()) << "block size " << blockSize;
        for (std::size_t i = 0; i < delivered.size(); ++i)
        {
            EXPECT_EQ(delivered[i].position, secondsToSamples(performance.midi[i].seconds, rate));
            EXPECT_EQ(delivered[i].noteNumber, performance.midi[i].message.getNoteNumber());
        }
    }
}

TEST(EventScheduler, AnEventOnABlockBoundaryStartsTheLaterBlock)
{
    Performance performance;
    performance.midi.push_back(
        {512.0 / 44100.0, juce::MidiMessage::noteOn(1, 60, static_cast<juce::uint8>(1))});
    EventScheduler scheduler(performance, 44100.0);

    juce::MidiBuffer first;
    juce::MidiBuffer second;
    std::vector<ParameterChange> changes;
    scheduler.takeBlock(0, 512, first, changes);
    scheduler.takeBlock(512, 512, second, changes);
    EXPECT_EQ(first.getNumEvents(), 0);
    ASSERT_EQ(second.getNumEvents(), 1);
    EXPECT_EQ((*second.begin()).samplePosition, 0);
}

TEST(EventScheduler, SimultaneousEventsKeepTheirOrder)
{
    Performance performance;
    performance.midi.push_back({1.0, juce::MidiMessage::noteOff(1, 57)});
    performance.midi.push_back(
        {1.0, juce::MidiMessage::noteOn(1, 60, static_cast<juce::uint8>(100))});
    const auto delivered = deliverAll(performance, 44100.0, 512, 88200, nullptr);
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_FALSE(delivered[0].noteOn);
    EXPECT_TRUE(delivered[1].noteOn);
}

TEST(EventScheduler, ParameterChangesComeWithTheBlockTheyFallIn)
{
    Performance performance;
    performance.parameterChanges = {{0.0, 2, 0.0f}, {0.5, 4, 0.5f}, {0.5, 6, 0.8f}, {1.0, 3, 1.0f}};
    performance.lengthSeconds = 1.0;
    std::vector<std::pair<std::int64_t, ParameterChange>> changes;
    deliverAll(performance, 1000.0, 300, 1200, &changes);

    ASSERT_EQ(changes.size(), 4u);
    const std::int64_t expectedBlocks[] = {0, 300, 300, 900};
    for (std::size_t i = 0; i < changes.size(); ++i)
    {
        EXPECT_EQ(changes[i].first, expectedBlocks[i]);
        EXPECT_EQ(changes[i].second.parameterIndex, performance.parameterChanges[i].parameterIndex);
    }
}

} // namespace
} // namespace halvo::render
