#include "AllocationCounter.h"
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <vector>

namespace halvo::test
{

TEST(AllocationCounter, SeesOrdinaryAllocations)
{
    ScopedAllocationCounter counter;
    auto* values = new std::vector<int>(100);
    delete values;
    EXPECT_GE(counter.allocations(), 2);
    EXPECT_GE(counter.releases(), 2);
}

// Notes, controllers, learning, parameter changes and long blocks: none of it may touch the heap.
TEST(AllocationFreeAudio, ProcessBlockNeverAllocates)
{
    ProcessorHarness harness(44100.0, 2, 20000);
    auto& processor = harness.processor;
    processor.midiMap[gainIndex].store(7);
    processor.midiMap[rateIndex].store(74);

    const int blockSizes[] = {512, 1, 100, 16384, 20000, 0, 64};
    std::vector<juce::MidiBuffer> midiForBlock;
    for (int block = 0; block < 60; ++block)
    {
        juce::MidiBuffer midi;
        midi.addEvent(juce::MidiMessage::noteOn(1 + block % 16, 40 + block % 40, 0.5f), 0);
        midi.addEvent(juce::MidiMessage::controllerEvent(1, 7, block % 128), 0);
        midi.addEvent(juce::MidiMessage::controllerEvent(2, 74, (block * 5) % 128), 0);
        midi.addEvent(juce::MidiMessage::pitchWheel(1, 1000), 0);
        if (block % 3 == 0)
            midi.addEvent(juce::MidiMessage::noteOff(1 + block % 16, 40 + block % 40), 0);
        midiForBlock.push_back(midi);
    }
    juce::AudioBuffer<float> buffer(2, 20000);

    long allocations = 0;
    long releases = 0;
    for (int block = 0; block < 60; ++block)
    {
        const int n = blockSizes[block % 7];
        buffer.setSize(2, n, false, false, true);
        if (block == 30)
        {
            processor.midiLearnEnabled.store(true);
            processor.learnParameterIndex.store(modeIndex);
        }
        ScopedAllocationCounter counter;
        for (int index = 0; index < numParameters; ++index)
            processor.setParameter(index, static_cast<float>((block + index) % 10) / 10.0f);
        processor.processBlock(buffer, midiForBlock[static_cast<std::size_t>(block)]);
        allocations += counter.allocations();
        releases += counter.releases();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(processor.midiMap[modeIndex].load(), 74);
}

} // namespace halvo::test
