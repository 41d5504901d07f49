#include "EditorTestSupport.h"

#include "editor/WindowScale.h"
#include "lookandfeel/AltLookAndFeel.h"

#include <limits>
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

TEST(WindowScale, TheHostsScaleWinsUnlessItSaysNothing)
{
    EXPECT_EQ(chooseWindowScale(2.0f, 1.0f, false), 2.0f);
    EXPECT_EQ(chooseWindowScale(1.5f, 2.0f, false), 1.5f);
    // 1 is what the framework passes when the host sent nothing: the desktop decides.
    EXPECT_EQ(chooseWindowScale(1.0f, 2.0f, false), 2.0f);
    EXPECT_EQ(chooseWindowScale(1.0f, 1.0f, false), 1.0f);
    // A host that always sends its interface scale meant its 1.
    EXPECT_EQ(chooseWindowScale(1.0f, 2.0f, true), 1.0f);
    // Nonsense from either side is not a scale.
    EXPECT_EQ(chooseWindowScale(0.0f, 2.0f, false), 2.0f);
    EXPECT_EQ(chooseWindowScale(std::numeric_limits<float>::quiet_NaN(), 1.0f, true), 1.0f);
    EXPECT_EQ(chooseWindowScale(1.0f, 100.0f, false), 1.0f);
}

TEST_F(EditorTest, AHostScaleScalesTheWholeWindow)
{
    editor->setScaleFactor(2.0f);
    EXPECT_EQ(editor->getTransform(), juce::AffineTransform::scale(2.0f));
    EXPECT_EQ(editor->getBoundsInParent().getWidth(), 2 * MurmelAudioProcessorEditor::windowWidth);
    // Here no desktop scale is published: back to 1.
    editor->setScaleFactor(1.0f);
    EXPECT_TRUE(editor->getTransform().isIdentity());
}

} // namespace
} // namespace halvo::test
