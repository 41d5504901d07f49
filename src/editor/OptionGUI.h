#pragma once

#include "lookandfeel/AltLookAndFeelVariants.h"
#include "parameters/ParameterTable.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <optional>

namespace halvo
{

class MurmelAudioProcessor;

// The MIDI-learn companion: shows the controller assigned to each parameter, chooses the channel
// controllers are accepted on and clears every assignment. Reads and writes the processor's
// assignments directly; it never touches parameter values.
class OptionGUI final : public juce::Component,
                        public juce::Timer,
                        public juce::ComboBox::Listener,
                        public juce::Button::Listener
{
public:
    static constexpr int panelSize = 262;

    explicit OptionGUI(MurmelAudioProcessor& processor);

    void paint(juce::Graphics& g) override;
    void resized() override;
    void comboBoxChanged(juce::ComboBox* box) override;
    void buttonClicked(juce::Button* button) override;
    // The labels refresh every 20 ms while the panel is shown; a hidden panel's timer rests.
    void visibilityChanged() override;
    // Rewrites the seven assignment labels from the processor's controller map when it changed.
    void timerCallback() override;

private:
    void addLabel(juce::Label& label, float fontHeight);

    MurmelAudioProcessor& audioProcessor;
    // The controller numbers the labels show, by parameter; none before the first tick.
    std::optional<std::array<int, numParameters>> shownAssignments;
    AltLookAndFeel_WhiteButton whiteButtonLookAndFeel;

    juce::ComboBox presetList{"presetList"};
    juce::Label midiChannel{"midiChannel", juce::translate("Channel")};
    juce::Label midiCtrl{"midiCtrl", juce::translate("Controller assignments")};
    juce::Label labelDelayTime{"labelDelayTime", juce::translate("DelayTime: N/A")};
    juce::Label labelRate{"labelRate", juce::translate("Rate: N/A")};
    juce::Label labelGain{"labelGain", juce::translate("Gain: N/A")};
    juce::Label labelMode{"labelMode", juce::translate("Mode: N/A")};
    juce::TextButton unlearnButton{"unlearnButton"};
    juce::Label labelReverb{"labelReverb", juce::translate("Reverb: N/A")};
    juce::Label labelDelayFeedback{"labelDelayFeedback", juce::translate("DelayFeedback: N/A")};
    juce::Label labelOsc{"labelOsc", juce::translate("Osc: N/A")};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OptionGUI)
};

} // namespace halvo
