#include "EditorTestSupport.h"

#include "lookandfeel/AltLookAndFeel.h"

#include <malloc.h>

namespace halvo::test
{
namespace
{

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

void openUseAndClose(MurmelAudioProcessor& processor)
{
    MurmelAudioProcessorEditor editor(processor);
    editor.timerCallback();
    auto& learn = childNamed<juce::Button>(editor, "buttonMIDILearn");
    clickAt(editor, learn.getBounds().getCentre());
    clickAt(editor, {70, 15});
    (void)editor.createComponentSnapshot(editor.getLocalBounds());
    clickAt(editor, learn.getBounds().getCentre());
}

void cycle(MurmelAudioProcessor& processor)
{
    openUseAndClose(processor);
    dispatchPendingMessages();
}

bool defaultLookIsOurs()
{
    return dynamic_cast<AltLookAndFeel*>(&juce::LookAndFeel::getDefaultLookAndFeel()) != nullptr;
}

TEST(EditorLifecycle, TheWindowsLookIsTheDefaultOnlyWhileItIsOpen)
{
    MurmelAudioProcessor processor;
    ASSERT_FALSE(defaultLookIsOurs());
    {
        MurmelAudioProcessorEditor editor(processor);
        EXPECT_TRUE(defaultLookIsOurs());
    }
    EXPECT_FALSE(defaultLookIsOurs());

    // A look installed by someone else after the window opened is left in place.
    juce::LookAndFeel_V4 otherLook;
    {
        MurmelAudioProcessorEditor editor(processor);
        juce::LookAndFeel::setDefaultLookAndFeel(&otherLook);
    }
    EXPECT_EQ(&juce::LookAndFeel::getDefaultLookAndFeel(), &otherLook);
    juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
}

TEST(EditorLifecycle, ClosingOneOfTwoWindowsLeavesTheOtherItsLook)
{
    MurmelAudioProcessor first;
    MurmelAudioProcessor second;
    auto older = std::make_unique<MurmelAudioProcessorEditor>(first);
    {
        MurmelAudioProcessorEditor newer(second);
    }
    EXPECT_TRUE(defaultLookIsOurs());

    auto newer = std::make_unique<MurmelAudioProcessorEditor>(second);
    older.reset();
    EXPECT_TRUE(defaultLookIsOurs());
    newer.reset();
    EXPECT_FALSE(defaultLookIsOurs());
}

TEST(EditorLifecycle, TwoHundredOpenAndCloseCyclesLeaveNothingBehind)
{
    MurmelAudioProcessor processor;
    // The first windows fill the image and typeface caches and JUCE's own bookkeeping.
    for (int i = 0; i < 50; ++i)
        cycle(processor);

    const std::size_t before = heapInUse();
    for (int i = 0; i < 200; ++i)
        cycle(processor);
    const std::size_t after = heapInUse();

    EXPECT_FALSE(defaultLookIsOurs());
    EXPECT_FALSE(processor.midiLearnEnabled.load());
    // A window holds about 120 KB: one left behind per cycle would grow the heap by 20 MB, and
    // even 1.3 KB kept per cycle exceeds this bound.
    EXPECT_LT(after, before + 256 * 1024) << "heap grew from " << before << " to " << after;
}

} // namespace
} // namespace halvo::test
