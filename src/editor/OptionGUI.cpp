#include "editor/OptionGUI.h"

#include "engine/MurmelAudioProcessor.h"

namespace halvo
{

namespace
{
constexpr int refreshMilliseconds = 20;
// Item 0 is "All" (any channel), items 1..16 the channels, so an item's index is the channel value.
constexpr int numChannelItems = 17;
constexpr juce::uint32 labelTextArgb = 0xfffcfcfc;
} // namespace

OptionGUI::OptionGUI(MurmelAudioProcessor& processor) : audioProcessor(processor)
{
    addAndMakeVisible(presetList);
    presetList.setEditableText(false);
    presetList.setJustificationType(juce::Justification::centredLeft);
    presetList.setTextWhenNothingSelected({});
    presetList.setTextWhenNoChoicesAvailable(juce::translate("(no choices)"));
    presetList.addListener(this);
    presetList.setWantsKeyboardFocus(false);
    presetList.setMouseClickGrabsKeyboardFocus(false);

    addLabel(midiChannel, 15.0f);
    addLabel(midiCtrl, 20.0f);
    addLabel(labelDelayTime, 15.0f);
    addLabel(labelRate, 15.0f);
    addLabel(labelGain, 15.0f);
    addLabel(labelMode, 15.0f);

    addAndMakeVisible(unlearnButton);
    unlearnButton.setButtonText(juce::translate("Unlearn All"));
    unlearnButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight |
                                    juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom);
    unlearnButton.addListener(this);
    unlearnButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff000000));
    unlearnButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xff000000));
    unlearnButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffffffff));
    unlearnButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffffffff));
    unlearnButton.setMouseClickGrabsKeyboardFocus(false);
    unlearnButton.setLookAndFeel(&whiteButtonLookAndFeel);

    addLabel(labelReverb, 15.0f);
    addLabel(labelDelayFeedback, 15.0f);
    addLabel(labelOsc, 15.0f);

    setSize(panelSize, panelSize);

    presetList.addItem(juce::translate("All"), 1);
    for (int channel = 1; channel < numChannelItems; ++channel)
        presetList.addItem(juce::String(channel), channel + 1);

    // A channel outside 0..16 (from an old or damaged state) leaves the chooser without a
    // selection.
    const int channel = audioProcessor.midiChannel.load(std::memory_order_relaxed);
    if (channel >= 0 && channel < numChannelItems)
        presetList.setSelectedItemIndex(channel, juce::sendNotificationAsync);
}

void OptionGUI::visibilityChanged()
{
    if (!isVisible())
    {
        stopTimer();
        return;
    }
    timerCallback();
    startTimer(refreshMilliseconds);
}

void OptionGUI::addLabel(juce::Label& label, float fontHeight)
{
    addAndMakeVisible(label);
    label.setFont(juce::Font(fontHeight, juce::Font::plain));
    label.setJustificationType(juce::Justification::centredLeft);
    label.setEditable(false, false, false);
    label.setColour(juce::Label::textColourId, juce::Colour(labelTextArgb));
}

void OptionGUI::paint(juce::Graphics& g)
{
    g.setColour(juce::Colour(0x99000000));
    g.fillRect(0, 0, panelSize, panelSize);
}

void OptionGUI::resized()
{
    presetList.setBounds(152, 204, 68, 19);
    midiChannel.setBounds(152, 182, 72, 24);
    midiCtrl.setBounds(30, 17, 207, 31);
    labelDelayTime.setBounds(119, 68, 116, 24);
    labelRate.setBounds(25, 89, 82, 24);
    labelGain.setBounds(25, 63, 82, 24);
    labelMode.setBounds(25, 118, 82, 22);
    unlearnButton.setBounds(32, 199, 68, 26);
    labelReverb.setBounds(120, 132, 98, 24);
    labelDelayFeedback.setBounds(119, 100, 138, 24);
    labelOsc.setBounds(25, 145, 82, 22);
}

void OptionGUI::comboBoxChanged(juce::ComboBox* box)
{
    if (box == &presetList)
        audioProcessor.midiChannel.store(presetList.getSelectedItemIndex(),
                                         std::memory_order_relaxed);
}

void OptionGUI::buttonClicked(juce::Button* button)
{
    if (button != &unlearnButton)
        return;

    for (auto& assignment : audioProcessor.midiMap)
        assignment.store(-1, std::memory_order_relaxed);
}

void OptionGUI::timerCallback()
{
    std::array<int, numParameters> assignments{};
    for (std::size_t index = 0; index < assignments.size(); ++index)
        assignments[index] = audioProcessor.midiMap[index].load(std::memory_order_relaxed);
    // Unchanged assignments leave the labels as they are: a tick at rest costs no text or paint.
    if (shownAssignments == assignments)
        return;
    shownAssignments = assignments;

    struct AssignmentLabel
    {
        juce::Label& label;
        int parameterIndex;
        const char* caption;
    };
    const AssignmentLabel labels[] = {
        {labelOsc, oscIndex, "OSC"},
        {labelDelayTime, delayTimeIndex, "DelayTime"},
        {labelDelayFeedback, delayFeedbackIndex, "DelayFeedback"},
        {labelRate, rateIndex, "Rate"},
        {labelGain, gainIndex, "Gain"},
        {labelMode, modeIndex, "Mode"},
        {labelReverb, reverbIndex, "Reverb"},
    };

    for (const auto& entry : labels)
    {
        const int controller = assignments[static_cast<std::size_t>(entry.parameterIndex)];
        const juce::String assignment =
            controller == -1 ? juce::String("N/A ") : "CC " + juce::String(controller);
        entry.label.setText(entry.caption + juce::String(": ") + assignment,
                            juce::dontSendNotification);
    }
}

} // namespace halvo
