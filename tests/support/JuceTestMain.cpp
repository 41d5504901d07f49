#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// The processor and the window need JUCE's message manager even when no window is shown.
int main(int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
