#pragma once

#include "editor/OptionGUI.h"
#include "editor/Oscillo.h"
#include "editor/ScaledImageButton.h"
#include "editor/WelcomeGUI.h"
#include "lookandfeel/AltLookAndFeelVariants.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include <memory>
#include <vector>

namespace halvo
{

class MurmelAudioProcessor;

// The plug-in window: filmstrip knobs, waveform buttons, value labels, the oscilloscope, the MIDI
// learn toggle with its options panel and the about panel. It never listens to the processor: a
// 50 ms tick polls it and brings every control in step.
class MurmelAudioProcessorEditor final : public juce::AudioProcessorEditor,
                                         public juce::Timer,
                                         public juce::Slider::Listener,
                                         public juce::Button::Listener
{
public:
    static constexpr int windowWidth = 623;
    static constexpr int windowHeight = 289;

    explicit MurmelAudioProcessorEditor(MurmelAudioProcessor& owner);
    ~MurmelAudioProcessorEditor() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    int getControlParameterIndex(juce::Component& component) override;
    // The host's scale for the window (the framework's clients pass 1 when the host gives none):
    // the window follows it, or the desktop's scale where the host gives none.
    void setScaleFactor(float newScale) override;

    // The refresh: keyboard focus, oscilloscope, learn target, value labels and, when the
    // processor reports a change, every control from the parameters.
    void timerCallback() override;

    void sliderValueChanged(juce::Slider* slider) override;
    void sliderDragStarted(juce::Slider* slider) override;
    void sliderDragEnded(juce::Slider* slider) override;
    void buttonClicked(juce::Button* button) override;

private:
    struct KnobLabel
    {
        juce::Slider& knob;
        juce::Label& label;
    };

    void configureKnob(juce::Slider& knob, double minimum, double maximum, double interval,
                       double skew);
    void configureWaveformButton(ScaledImageButton& button, const ScaledArtwork& normal,
                                 const ScaledArtwork& down);
    void keepArtworkSet(int set);
    void applyWindowScale();
    void configureValueLabel(juce::Label& label);
    void installComputerKeyboardNotes();

    int parameterIndexOf(const juce::Slider* slider) const noexcept;
    void writeParameter(int index, float value);
    void updateOscButtons();
    void setLearning(bool on);
    void focusHiddenKeyboard();
    void chooseLearnTarget();
    void showLabelsOfTouchedKnobs();
    void refreshFromParameters();

    MurmelAudioProcessor& audioProcessor;

    std::unique_ptr<OptionGUI> optionPanel;
    std::unique_ptr<WelcomeGUI> aboutPanel;
    AltLookAndFeel altLookAndFeel;
    AltLookAndFeel_transparentButton transparentLookAndFeel;
    AltLookAndFeel_redButton redLookAndFeel;
    AltLookAndFeel_greenButton greenLookAndFeel;

    juce::Slider sliderDelayTime{"sliderDelayTime"};
    juce::Slider sliderRate{"sliderRate"};
    juce::Slider sliderMode{"sliderMode"};
    juce::Slider sliderReverb{"sliderReverb"};
    juce::Slider sliderGain{"sliderGain"};
    juce::TextButton buttonMIDILearn{"buttonMIDILearn"};
    juce::Slider sliderDelayFeedback{"sliderDelayFeedback"};
    Oscillo oscillo;
    juce::MidiKeyboardComponent midiKeyboard;
    ScaledImageButton buttonOscSin{"buttonOscSin"};
    ScaledImageButton buttonOscSaw{"buttonOscSaw"};
    ScaledImageButton buttonOscSquare{"buttonOscSquare"};
    juce::Label labelGain{"labelGain"};
    juce::Label labelRate{"labelRate"};
    juce::Label labelReverb{"labelReverb"};
    juce::Label labelDelayTime{"labelDelayTime"};
    juce::Label labelDelayFeedback{"labelDelayFeedback"};
    juce::Label labelMode{"labelMode"};
    // Lies over the waveform buttons and is shown only while learning, so "OSC" can be learnt.
    juce::Slider sliderOSC{"sliderOSC"};
    // Invisible, over the logo.
    juce::TextButton aboutButton{"new button"};

    juce::Image backgroundImage;
    // The pictures of the set the screen asked for, held while the window is open so the image
    // cache keeps them decoded between paints.
    std::vector<juce::Image> keptArtwork;
    int keptArtworkSet = 1;
    float hostScale = 1.0f;
    float windowScale = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MurmelAudioProcessorEditor)
};

} // namespace halvo
