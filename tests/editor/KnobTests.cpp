#include "EditorTestSupport.h"

namespace halvo::test
{
namespace
{

using Kind = HostRecorder::Kind;

class KnobTest : public EditorTest
{
protected:
    // Turns a knob as a drag would report it, then returns what the processor holds.
    float sendKnobValue(const juce::String& knobName, double value)
    {
        auto& knob = child<juce::Slider>(knobName);
        knob.setValue(value, juce::sendNotificationSync);
        return processor.getParameter(editor->getControlParameterIndex(knob));
    }
};

TEST_F(KnobTest, OpeningTheWindowChangesNoParameter)
{
    std::array<float, numParameters> before{};
    for (int i = 0; i < numParameters; ++i)
        before[static_cast<std::size_t>(i)] = processor.getParameter(i);

    tick();
    tick();

    for (int i = 0; i < numParameters; ++i)
        EXPECT_EQ(processor.getParameter(i), before[static_cast<std::size_t>(i)]) << i;
    EXPECT_TRUE(host.events.empty());
    EXPECT_DOUBLE_EQ(child<juce::Slider>("sliderRate").getValue(), 0.1);
    EXPECT_NEAR(child<juce::Slider>("sliderDelayTime").getValue(), 0.55, 1e-6);
}

TEST_F(KnobTest, KnobValuesConvertToNormalisedParameters)
{
    tick();
    EXPECT_EQ(sendKnobValue("sliderGain", -90.0), 0.0f);
    EXPECT_EQ(sendKnobValue("sliderGain", 10.0), 1.0f);
    EXPECT_EQ(sendKnobValue("sliderGain", 0.0), 0.9f);
    // The lower end is the single-precision 0.1 widened, so it sends exactly 0.
    EXPECT_EQ(sendKnobValue("sliderDelayTime", 0.0), 0.0f);
    EXPECT_EQ(sendKnobValue("sliderDelayTime", 1.0), 1.0f);
    EXPECT_EQ(sendKnobValue("sliderDelayFeedback", 110.0), 1.0f);
    EXPECT_EQ(sendKnobValue("sliderDelayFeedback", 55.0), 0.5f);
    EXPECT_EQ(sendKnobValue("sliderRate", 20.0), 1.0f);
    EXPECT_EQ(sendKnobValue("sliderRate", 5.0), 0.25f);
    EXPECT_EQ(sendKnobValue("sliderMode", 3.0), 0.5f);
    EXPECT_EQ(sendKnobValue("sliderReverb", 25.0), 0.25f);
    EXPECT_EQ(sendKnobValue("sliderOSC", 2.0), 1.0f);
    EXPECT_EQ(sendKnobValue("sliderOSC", 1.0), 0.5f);

    // Every change reaches the host with the value the processor stored; no gesture is reported.
    ASSERT_EQ(host.events.size(), 13u);
    EXPECT_EQ(host.events.back().index, oscIndex);
    EXPECT_EQ(host.events.back().value, 0.5f);
    for (const auto& event : host.events)
        EXPECT_EQ(event.kind, Kind::value);
}

TEST_F(KnobTest, DraggingAKnobBracketsItsChangesInOneGesture)
{
    tick();
    auto& reverb = child<juce::Slider>("sliderReverb");
    dragVertically(reverb, -30.0f);

    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(host.events.front().kind, Kind::gestureBegin);
    EXPECT_EQ(host.events.back().kind, Kind::gestureEnd);
    for (const auto& event : host.events)
        EXPECT_EQ(event.index, reverbIndex);
    EXPECT_GT(processor.getParameter(reverbIndex), 0.5f);
    EXPECT_EQ(host.events[host.events.size() - 2].value, processor.getParameter(reverbIndex));
}

TEST_F(KnobTest, DoubleClickResetsInsideAGesture)
{
    processor.setParameter(reverbIndex, 0.9f);
    processor.setParameter(gainIndex, 0.2f);
    tick();

    doubleClick(child<juce::Slider>("sliderReverb"));
    doubleClick(child<juce::Slider>("sliderGain"));
    ASSERT_EQ(host.events.size(), 6u);
    EXPECT_EQ(host.events[0].kind, Kind::gestureBegin);
    EXPECT_EQ(host.events[1].kind, Kind::value);
    EXPECT_EQ(host.events[1].value, 0.5f);
    EXPECT_EQ(host.events[2].kind, Kind::gestureEnd);
    EXPECT_EQ(host.events[4].index, gainIndex);
    EXPECT_EQ(host.events[4].value, 0.9f);

    // The hidden OSC knob has no reset value.
    host.events.clear();
    doubleClick(child<juce::Slider>("sliderOSC"));
    EXPECT_TRUE(host.events.empty());
}

TEST_F(KnobTest, WaveformButtonsSendOscAndStayExclusiveAfterTheRefresh)
{
    processor.setParameter(oscIndex, 0.0f);
    tick();
    auto& sine = child<juce::Button>("buttonOscSin");
    auto& saw = child<juce::Button>("buttonOscSaw");
    auto& square = child<juce::Button>("buttonOscSquare");
    ASSERT_TRUE(sine.getToggleState());

    EXPECT_EQ(clickAt(*editor, saw.getBounds().getCentre()), &saw);
    EXPECT_EQ(processor.getParameter(oscIndex), 0.5f);
    tick();
    EXPECT_FALSE(sine.getToggleState());
    EXPECT_TRUE(saw.getToggleState());
    EXPECT_FALSE(square.getToggleState());

    // The waveform that is on stays on and is sent again.
    clickAt(*editor, saw.getBounds().getCentre());
    EXPECT_TRUE(saw.getToggleState());
    clickAt(*editor, square.getBounds().getCentre());
    tick();
    EXPECT_TRUE(square.getToggleState());
    EXPECT_FALSE(saw.getToggleState());

    ASSERT_EQ(host.events.size(), 3u);
    EXPECT_EQ(host.events[0].value, 0.5f);
    EXPECT_EQ(host.events[1].value, 0.5f);
    EXPECT_EQ(host.events[2].value, 1.0f);
    for (const auto& event : host.events)
        EXPECT_EQ(event.kind, Kind::value);
}

TEST_F(KnobTest, ControlParameterIndexGoesByComponentName)
{
    const std::pair<const char*, int> knobs[] = {
        {"sliderDelayTime", 0}, {"sliderDelayFeedback", 1}, {"sliderOSC", 2}, {"sliderRate", 3},
        {"sliderMode", 4},      {"sliderReverb", 5},        {"sliderGain", 6}};
    for (const auto& [name, index] : knobs)
        EXPECT_EQ(editor->getControlParameterIndex(child<juce::Slider>(name)), index) << name;

    int others = 0;
    for (auto* component : editor->getChildren())
        if (dynamic_cast<juce::Slider*>(component) == nullptr)
        {
            EXPECT_EQ(editor->getControlParameterIndex(*component), -1) << component->getName();
            ++others;
        }
    EXPECT_EQ(others, 15);

    juce::Slider stranger("sliderGain");
    EXPECT_EQ(editor->getControlParameterIndex(stranger), gainIndex);
}

} // namespace
} // namespace halvo::test
