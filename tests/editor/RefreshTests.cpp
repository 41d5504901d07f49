#include "EditorTestSupport.h"

#include "editor/KnobValues.h"
#include "editor/OptionGUI.h"

#include <thread>

namespace halvo::test
{
namespace
{

constexpr const char* valueLabels[] = {"labelGain",   "labelRate",      "labelMode",
                                       "labelReverb", "labelDelayTime", "labelDelayFeedback"};
constexpr const char* learnKnobs[] = {"sliderOSC",  "sliderDelayTime", "sliderDelayFeedback",
                                      "sliderRate", "sliderMode",      "sliderReverb",
                                      "sliderGain"};

class RefreshTest : public EditorTest
{
protected:
    juce::String labelText(const char* name) { return child<juce::Label>(name).getText(); }

    juce::String labelAfterSetting(int index, float value, const char* labelName)
    {
        processor.setParameter(index, value);
        tick();
        return labelText(labelName);
    }

    void clickLearnToggle()
    {
        clickAt(*editor, child<juce::Button>("buttonMIDILearn").getBounds().getCentre());
    }
};

TEST_F(RefreshTest, FirstTickReplacesTheInitialLabelsAndHidesThem)
{
    EXPECT_EQ(labelText("labelGain"), "0 dB");
    EXPECT_EQ(labelText("labelRate"), "20 Hz");
    EXPECT_EQ(labelText("labelDelayFeedback"), "110 %");
    for (const auto* name : valueLabels)
        EXPECT_TRUE(child<juce::Label>(name).isVisible()) << name;

    tick();

    EXPECT_EQ(labelText("labelGain"), "0 dB");
    EXPECT_EQ(labelText("labelRate"), "0.10 Hz");
    EXPECT_EQ(labelText("labelMode"), "1 / 7");
    EXPECT_EQ(labelText("labelReverb"), "50 %");
    EXPECT_EQ(labelText("labelDelayTime"), "0.55 s");
    EXPECT_EQ(labelText("labelDelayFeedback"), "55 %");
    for (const auto* name : valueLabels)
        EXPECT_FALSE(child<juce::Label>(name).isVisible()) << name;
}

TEST_F(RefreshTest, LabelTextsFollowTheParameters)
{
    EXPECT_EQ(labelAfterSetting(rateIndex, 0.0002f, "labelRate"), "0.004 Hz");
    EXPECT_EQ(labelAfterSetting(rateIndex, 0.004f, "labelRate"), "0.08 Hz");
    // 20 x this Rate is the float nearest 0.01, which is below 0.01.
    EXPECT_EQ(labelAfterSetting(rateIndex, 0.000499999966f, "labelRate"), "0.010 Hz");
    EXPECT_EQ(labelAfterSetting(rateIndex, 0.5f, "labelRate"), "10.0 Hz");
    EXPECT_EQ(labelAfterSetting(gainIndex, 0.0f, "labelGain"), "-90 dB");
    EXPECT_EQ(labelAfterSetting(gainIndex, 1.0f, "labelGain"), "10 dB");
    EXPECT_EQ(labelAfterSetting(gainIndex, 0.899f, "labelGain"), "0 dB");
    EXPECT_EQ(labelAfterSetting(modeIndex, 1.0f, "labelMode"), "7 / 7");
    EXPECT_EQ(labelAfterSetting(delayTimeIndex, 0.0f, "labelDelayTime"), "0.10 s");
    EXPECT_EQ(labelAfterSetting(delayTimeIndex, 0.5f, "labelDelayTime"), "0.55 s");
    EXPECT_EQ(labelAfterSetting(delayFeedbackIndex, 0.123f, "labelDelayFeedback"), "13 %");
    EXPECT_EQ(labelAfterSetting(reverbIndex, 0.123f, "labelReverb"), "12 %");
}

TEST(LabelText, ExactTiesRoundUpInMagnitude)
{
    EXPECT_EQ(rateText(0.25f), "0.3 Hz");
    EXPECT_EQ(rateText(1.25f), "1.3 Hz");
    EXPECT_EQ(fixedDecimalText(-0.25, 1), "-0.3");
    EXPECT_EQ(delayTimeText(0.125f), "0.13 s");
    EXPECT_EQ(delayTimeText(0.625f), "0.63 s");
    EXPECT_EQ(fixedDecimalText(0.0004, 3), "0.000");
    EXPECT_EQ(fixedDecimalText(-0.0004, 3), "-0.000");
    EXPECT_EQ(fixedDecimalText(1.0e20, 1), "100000000000000000000.0");
}

TEST_F(RefreshTest, StoredValuesFarOutsideTheRangeShowWithoutOverflow)
{
    // Values are stored unclamped; the labels hold at the ends of the integer range.
    EXPECT_EQ(labelAfterSetting(gainIndex, 1.0e30f, "labelGain"), "2147483647 dB");
    EXPECT_EQ(labelAfterSetting(modeIndex, 1.0e30f, "labelMode"), "2147483648 / 7");
    EXPECT_EQ(labelAfterSetting(reverbIndex, -1.0e30f, "labelReverb"), "-2147483648 %");
    EXPECT_DOUBLE_EQ(child<juce::Slider>("sliderGain").getValue(), 10.0);
    EXPECT_DOUBLE_EQ(child<juce::Slider>("sliderReverb").getValue(), 0.0);
}

TEST_F(RefreshTest, ChangesFromAnotherThreadReachTheControlsAtTheNextTick)
{
    tick();
    std::thread automation(
        [this]
        {
            processor.setParameter(reverbIndex, 0.25f);
            processor.setParameter(oscIndex, 1.0f);
            processor.setParameter(rateIndex, 0.25f);
        });
    automation.join();
    tick();

    EXPECT_DOUBLE_EQ(child<juce::Slider>("sliderReverb").getValue(), 25.0);
    EXPECT_DOUBLE_EQ(child<juce::Slider>("sliderRate").getValue(), 5.0);
    EXPECT_EQ(labelText("labelReverb"), "25 %");
    EXPECT_EQ(labelText("labelRate"), "5.0 Hz");
    EXPECT_FALSE(child<juce::Button>("buttonOscSin").getToggleState());
    EXPECT_FALSE(child<juce::Button>("buttonOscSaw").getToggleState());
    EXPECT_TRUE(child<juce::Button>("buttonOscSquare").getToggleState());
    EXPECT_FALSE(processor.parametersChanged.load());
    // Moving the knobs to show a value sends nothing back.
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(processor.getParameter(rateIndex), 0.25f);
}

TEST_F(RefreshTest, LearnToggleSwitchesLearningAndWhatTheWindowShows)
{
    auto& options = childOfType<OptionGUI>(*editor);
    auto& oscKnob = child<juce::Slider>("sliderOSC");
    ASSERT_FALSE(options.isVisible());
    ASSERT_FALSE(oscKnob.isVisible());
    EXPECT_FALSE(options.isTimerRunning());

    // The panel shows the assignments at once and refreshes them while shown.
    processor.midiMap[gainIndex] = 74;
    clickLearnToggle();
    EXPECT_TRUE(child<juce::Button>("buttonMIDILearn").getToggleState());
    EXPECT_TRUE(processor.midiLearnEnabled.load());
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(options.getTimerInterval(), 20);
    EXPECT_EQ(childNamed<juce::Label>(options, "labelGain").getText(), "Gain: CC 74");
    EXPECT_TRUE(oscKnob.isVisible());
    for (const auto* name : learnKnobs)
        EXPECT_TRUE(static_cast<bool>(child<juce::Slider>(name).getProperties()["midiLearnOn"]))
            << name;

    // No knob under the mouse: no target. The labels keep their visibility while learning.
    tick();
    EXPECT_EQ(processor.learnParameterIndex.load(), -1);
    for (const auto* name : valueLabels)
        EXPECT_TRUE(child<juce::Label>(name).isVisible()) << name;

    processor.learnParameterIndex = reverbIndex;
    clickLearnToggle();
    EXPECT_FALSE(processor.midiLearnEnabled.load());
    EXPECT_EQ(processor.learnParameterIndex.load(), -1);
    EXPECT_FALSE(options.isVisible());
    EXPECT_FALSE(options.isTimerRunning());
    EXPECT_FALSE(oscKnob.isVisible());
    for (const auto* name : learnKnobs)
        EXPECT_FALSE(static_cast<bool>(child<juce::Slider>(name).getProperties()["midiLearnOn"]))
            << name;
}

TEST_F(RefreshTest, WhileLearningTheWaveformAreaBelongsToTheOscKnob)
{
    tick();
    clickLearnToggle();
    const auto sawCentre = child<juce::Button>("buttonOscSaw").getBounds().getCentre();
    editor->setVisible(true);
    EXPECT_EQ(editor->getComponentAt(sawCentre), &child<juce::Slider>("sliderOSC"));

    const float oscBefore = processor.getParameter(oscIndex);
    clickAt(*editor, sawCentre.translated(0, 20));
    EXPECT_EQ(processor.getParameter(oscIndex), oscBefore);
}

// Counts the repaints the window is asked for, its children's included.
class RepaintCounter final : public juce::CachedComponentImage
{
public:
    void paint(juce::Graphics&) override {}
    bool invalidateAll() override { return ++requests > 0; }
    bool invalidate(const juce::Rectangle<int>&) override { return ++requests > 0; }
    void releaseResources() override {}

    int requests = 0;
};

TEST_F(RefreshTest, TicksThatFindNothingChangedPaintNothing)
{
    auto* repaints = new RepaintCounter();
    editor->setVisible(true);
    editor->setCachedComponentImage(repaints);
    auto& options = childOfType<OptionGUI>(*editor);
    const auto restingTicks = [&]
    {
        repaints->requests = 0;
        for (int i = 0; i < 5; ++i)
        {
            tick();
            options.timerCallback();
        }
        return repaints->requests;
    };
    tick();
    options.timerCallback();
    EXPECT_EQ(restingTicks(), 0);

    // A block with a different trace repaints the scope; the same trace again does not.
    processor.scopeBuffer[100].store(0.25f);
    tick();
    EXPECT_GT(repaints->requests, 0);
    EXPECT_EQ(restingTicks(), 0);
    // A change far below a pixel is not a different trace.
    processor.scopeBuffer[100].store(0.25f + 1.0e-6f);
    EXPECT_EQ(restingTicks(), 0);

    repaints->requests = 0;
    processor.setParameter(reverbIndex, 0.25f);
    tick();
    EXPECT_GT(repaints->requests, 0);
    EXPECT_EQ(restingTicks(), 0);

    // The options panel, shown while learning, repaints only when an assignment changed.
    clickLearnToggle();
    EXPECT_EQ(restingTicks(), 0);
    processor.midiMap[gainIndex].store(74);
    options.timerCallback();
    EXPECT_GT(repaints->requests, 0);
    EXPECT_EQ(restingTicks(), 0);
}

TEST_F(RefreshTest, ClosingTheWindowEndsLearning)
{
    clickLearnToggle();
    processor.learnParameterIndex = modeIndex;
    editor.reset();
    EXPECT_FALSE(processor.midiLearnEnabled.load());
    EXPECT_EQ(processor.learnParameterIndex.load(), -1);

    editor = std::make_unique<MurmelAudioProcessorEditor>(processor);
    EXPECT_FALSE(child<juce::Button>("buttonMIDILearn").getToggleState());
    EXPECT_FALSE(childOfType<OptionGUI>(*editor).isVisible());
}

} // namespace
} // namespace halvo::test
