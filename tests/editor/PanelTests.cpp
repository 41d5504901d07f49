#include "EditorTestSupport.h"

#include "editor/OptionGUI.h"
#include "editor/WelcomeGUI.h"

namespace halvo::test
{
namespace
{

class OptionPanelTest : public ::testing::Test
{
protected:
    juce::String labelText(const char* name)
    {
        return childNamed<juce::Label>(*panel, name).getText();
    }
    juce::ComboBox& chooser() { return childNamed<juce::ComboBox>(*panel, "presetList"); }

    MurmelAudioProcessor processor;
    std::unique_ptr<OptionGUI> panel = std::make_unique<OptionGUI>(processor);
};

TEST_F(OptionPanelTest, AssignmentLabelsShowTheControllerMapWithTheirTrailingSpaces)
{
    EXPECT_EQ(labelText("labelOsc"), "Osc: N/A");
    EXPECT_EQ(chooser().getText(), "All");

    panel->timerCallback();
    EXPECT_EQ(labelText("labelOsc"), "OSC: N/A ");
    EXPECT_EQ(labelText("labelDelayTime"), "DelayTime: N/A ");
    EXPECT_EQ(labelText("labelDelayFeedback"), "DelayFeedback: N/A ");
    EXPECT_EQ(labelText("labelRate"), "Rate: N/A ");
    EXPECT_EQ(labelText("labelGain"), "Gain: N/A ");
    EXPECT_EQ(labelText("labelMode"), "Mode: N/A ");
    EXPECT_EQ(labelText("labelReverb"), "Reverb: N/A ");

    processor.midiMap[gainIndex] = 74;
    processor.midiMap[oscIndex] = 0;
    processor.midiMap[delayTimeIndex] = 300;
    processor.midiMap[reverbIndex] = -5;
    panel->timerCallback();
    EXPECT_EQ(labelText("labelGain"), "Gain: CC 74");
    EXPECT_EQ(labelText("labelOsc"), "OSC: CC 0");
    EXPECT_EQ(labelText("labelDelayTime"), "DelayTime: CC 300");
    EXPECT_EQ(labelText("labelReverb"), "Reverb: CC -5");
    EXPECT_EQ(labelText("labelMode"), "Mode: N/A ");
}

TEST_F(OptionPanelTest, ChannelChooserWritesTheControllerChannel)
{
    ASSERT_EQ(chooser().getNumItems(), 17);
    chooser().setSelectedItemIndex(1, juce::sendNotificationSync);
    EXPECT_EQ(processor.midiChannel.load(), 1);
    chooser().setSelectedItemIndex(16, juce::sendNotificationSync);
    EXPECT_EQ(processor.midiChannel.load(), 16);
    EXPECT_EQ(chooser().getText(), "16");
    chooser().setSelectedItemIndex(0, juce::sendNotificationSync);
    EXPECT_EQ(processor.midiChannel.load(), 0);

    // A channel from a state that no item stands for is shown as no choice and kept.
    processor.midiChannel = 17;
    panel = std::make_unique<OptionGUI>(processor);
    EXPECT_EQ(chooser().getSelectedItemIndex(), -1);
    EXPECT_EQ(chooser().getText(), "");
    EXPECT_EQ(processor.midiChannel.load(), 17);
}

TEST_F(OptionPanelTest, UnlearnAllClearsEveryAssignmentAndNothingElse)
{
    for (auto& assignment : processor.midiMap)
        assignment = 20;
    processor.midiChannel = 3;

    auto& unlearn = childNamed<juce::Button>(*panel, "unlearnButton");
    EXPECT_EQ(clickAt(*panel, unlearn.getBounds().getCentre()), &unlearn);

    for (const auto& assignment : processor.midiMap)
        EXPECT_EQ(assignment.load(), -1);
    EXPECT_EQ(processor.midiChannel.load(), 3);
}

class AboutPanelTest : public EditorTest
{
protected:
    WelcomeGUI& about() { return childOfType<WelcomeGUI>(*editor); }
    juce::Point<int> logo() { return child<juce::Button>("new button").getBounds().getCentre(); }
};

TEST_F(AboutPanelTest, LogoOpensThePanelAndAClickAnywhereButTheLinkClosesIt)
{
    ASSERT_FALSE(about().isVisible());
    clickAt(*editor, logo());
    ASSERT_TRUE(about().isVisible());
    EXPECT_EQ(childNamed<juce::Label>(about(), "labelTitle").getText(), "HALVO v1.0");

    // The link lies above the close button, so a click there opens the site and keeps the card.
    auto& link = childOfType<juce::HyperlinkButton>(about());
    EXPECT_EQ(link.getButtonText(), "drovask.com");
    EXPECT_EQ(link.getURL().toString(false), "https://drovask.com");
    editor->setVisible(true);
    EXPECT_EQ(editor->getComponentAt(link.getBounds().getCentre()), &link);

    // A click on the title lands on the close button.
    const auto title = childNamed<juce::Label>(about(), "labelTitle").getBounds().getCentre();
    EXPECT_EQ(clickAt(*editor, title), &childNamed<juce::Button>(about(), "closeButton"));
    EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutPanelTest, WhileShownTheCardTakesEveryClickAndLeavesTheOptionsPanelBeneath)
{
    auto& learn = child<juce::Button>("buttonMIDILearn");
    clickAt(*editor, learn.getBounds().getCentre());
    clickAt(*editor, logo());
    ASSERT_TRUE(about().isVisible());

    // The learn toggle lies under the card: this click only closes the card.
    clickAt(*editor, learn.getBounds().getCentre());
    EXPECT_FALSE(about().isVisible());
    EXPECT_TRUE(learn.getToggleState());
    EXPECT_TRUE(childOfType<OptionGUI>(*editor).isVisible());
    EXPECT_TRUE(processor.midiLearnEnabled.load());
}

} // namespace
} // namespace halvo::test
