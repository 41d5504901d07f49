#include "editor/MurmelAudioProcessorEditor.h"

#include "EmbeddedResources.h"
#include "editor/DesktopScale.h"
#include "editor/KnobValues.h"
#include "editor/WindowScale.h"
#include "engine/MurmelAudioProcessor.h"

#include <array>
#include <string_view>

namespace halvo
{

namespace
{
constexpr int refreshMilliseconds = 50;
constexpr int allEdgesConnected = juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight |
                                  juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom;
constexpr juce::uint32 labelTextArgb = 0xffeeeeee;
const juce::Identifier midiLearnOnProperty{"midiLearnOn"};

// Computer keys in keyboard-row order; a key's note is 12 x base octave + its position here.
constexpr std::string_view noteKeys = "qwertyuiopasdfghjklzxcvbnm";
constexpr int noteKeysBaseOctave = 4;

// The looks of the open windows, newest last: the newest is the process-wide default, and closing
// any window hands the default to the newest one left.
juce::Array<juce::LookAndFeel*>& openWindowLooks()
{
    static juce::Array<juce::LookAndFeel*> looks;
    return looks;
}

void installNewestWindowLook()
{
    juce::LookAndFeel::setDefaultLookAndFeel(openWindowLooks().getLast());
    // Typefaces cached before the change would keep default-font text in the system's font.
    juce::Typeface::clearTypefaceCache();
}
} // namespace

MurmelAudioProcessorEditor::MurmelAudioProcessorEditor(MurmelAudioProcessor& owner)
    : juce::AudioProcessorEditor(owner), audioProcessor(owner),
      oscillo(owner.scopeBuffer, owner.scopeCount.load(std::memory_order_relaxed)),
      midiKeyboard(owner.keyboardState, juce::MidiKeyboardComponent::horizontalKeyboard)
{
    configureKnob(sliderDelayTime, static_cast<double>(delayTimeMinimumSeconds), 1.0, 0.01, 0.6);
    configureKnob(sliderRate, 0.0, 20.0, 0.001, 0.4);
    configureKnob(sliderMode, 0.0, 6.0, 1.0, 1.0);
    configureKnob(sliderReverb, 0.0, 100.0, 1.0, 1.0);
    configureKnob(sliderGain, -90.0, 10.0, 1.0, 6.5);

    addAndMakeVisible(buttonMIDILearn);
    buttonMIDILearn.setButtonText(juce::translate("MIDI Learn"));
    buttonMIDILearn.setConnectedEdges(allEdgesConnected);
    buttonMIDILearn.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff000000));
    buttonMIDILearn.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xff000000));
    buttonMIDILearn.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffeeeeee));
    buttonMIDILearn.setColour(juce::TextButton::textColourOffId, juce::Colour(0xefeeeeee));
    buttonMIDILearn.addListener(this);

    configureKnob(sliderDelayFeedback, 0.0, 110.0, 1.0, 1.0);

    addAndMakeVisible(oscillo);
    addAndMakeVisible(midiKeyboard);
    midiKeyboard.setName("midiKeyboard");

    configureWaveformButton(buttonOscSin, artwork::waveSine, artwork::waveSineDown);
    configureWaveformButton(buttonOscSaw, artwork::waveSaw, artwork::waveSawDown);
    configureWaveformButton(buttonOscSquare, artwork::waveSquare, artwork::waveSquareDown);

    configureValueLabel(labelGain);
    labelGain.setText(juce::translate("0 dB"), juce::dontSendNotification);
    configureValueLabel(labelRate);
    labelRate.setText(juce::translate("20 Hz"), juce::dontSendNotification);
    configureValueLabel(labelReverb);
    labelReverb.setText(juce::translate("100 %"), juce::dontSendNotification);
    configureValueLabel(labelDelayTime);
    labelDelayTime.setText(juce::translate("0.10 s"), juce::dontSendNotification);
    configureValueLabel(labelDelayFeedback);
    labelDelayFeedback.setText(juce::translate("110 %"), juce::dontSendNotification);
    configureValueLabel(labelMode);
    labelMode.setText(juce::translate("1"), juce::dontSendNotification);

    configureKnob(sliderOSC, 0.0, 2.0, 1.0, 1.0);

    addAndMakeVisible(aboutButton);
    aboutButton.setButtonText({});
    aboutButton.setConnectedEdges(allEdgesConnected);
    aboutButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0x00bbbbff));
    aboutButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0x48e8e8e8));
    aboutButton.addListener(this);

    backgroundImage = artworkImage(artwork::editorBackground, 1);
    buttonMIDILearn.setClickingTogglesState(true);
    setSize(windowWidth, windowHeight);

    // Suffixes are never drawn (no text boxes) but give the knobs' value texts their units.
    sliderDelayTime.setTextValueSuffix(" s");
    sliderDelayFeedback.setTextValueSuffix(" %");
    sliderReverb.setTextValueSuffix(" %");
    sliderRate.setTextValueSuffix(" Hz");
    sliderGain.setTextValueSuffix(" dB");

    // Installed before the panels are made, so their text and combo box pick up its fonts.
    openWindowLooks().add(&altLookAndFeel);
    installNewestWindowLook();

    optionPanel = std::make_unique<OptionGUI>(audioProcessor);
    addChildComponent(*optionPanel);
    optionPanel->setTopLeftPosition(361, 30);
    aboutPanel = std::make_unique<WelcomeGUI>();
    addChildComponent(*aboutPanel);

    buttonMIDILearn.setMouseClickGrabsKeyboardFocus(false);
    installComputerKeyboardNotes();
    sliderOSC.setVisible(false);
    updateOscButtons();

    sliderOSC.setLookAndFeel(&transparentLookAndFeel);
    sliderReverb.setLookAndFeel(&redLookAndFeel);
    sliderDelayFeedback.setLookAndFeel(&greenLookAndFeel);
    sliderDelayTime.setLookAndFeel(&greenLookAndFeel);

    sliderGain.setDoubleClickReturnValue(true, 0.0);
    sliderRate.setDoubleClickReturnValue(true, 10.0);
    sliderMode.setDoubleClickReturnValue(true, 0.0);
    sliderReverb.setDoubleClickReturnValue(true, 50.0);
    sliderDelayFeedback.setDoubleClickReturnValue(true, 55.0);
    sliderDelayTime.setDoubleClickReturnValue(true, 0.4);

    // A plug-in window on a scaled desktop is drawn at the desktop's scale unless the host says
    // otherwise.
    applyWindowScale();

    // The first tick loads every control from the parameters.
    audioProcessor.parametersChanged.store(true, std::memory_order_relaxed);
    startTimer(refreshMilliseconds);
}

MurmelAudioProcessorEditor::~MurmelAudioProcessorEditor()
{
    stopTimer();

    // No controller may be learnt for a knob of a window that is gone.
    audioProcessor.learnParameterIndex.store(-1, std::memory_order_relaxed);
    audioProcessor.midiLearnEnabled.store(false, std::memory_order_relaxed);

    // The panels draw with the default look, which is ours: they go first, then the default is
    // handed on (to another open window, else back to the framework) before our look is destroyed.
    optionPanel.reset();
    aboutPanel.reset();
    const bool oursIsTheDefault = &juce::LookAndFeel::getDefaultLookAndFeel() == &altLookAndFeel;
    openWindowLooks().removeFirstMatchingValue(&altLookAndFeel);
    if (oursIsTheDefault)
        installNewestWindowLook();
}

void MurmelAudioProcessorEditor::configureKnob(juce::Slider& knob, double minimum, double maximum,
                                               double interval, double skew)
{
    addAndMakeVisible(knob);
    knob.setSliderStyle(juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    knob.setRange(minimum, maximum, interval);
    knob.setSkewFactor(skew);
    knob.setWantsKeyboardFocus(false);
    knob.setMouseClickGrabsKeyboardFocus(false);
    knob.addListener(this);
}

void MurmelAudioProcessorEditor::configureWaveformButton(ScaledImageButton& button,
                                                         const ScaledArtwork& normal,
                                                         const ScaledArtwork& down)
{
    addAndMakeVisible(button);
    button.setButtonText(juce::translate("new button"));
    button.addListener(this);
    button.setArtwork(normal, down);
    // Not a radio group: refreshing from "OSC" keeps exactly one of the three on.
    button.setClickingTogglesState(true);
    button.setMouseClickGrabsKeyboardFocus(false);
    button.setTriggeredOnMouseDown(true);
}

void MurmelAudioProcessorEditor::configureValueLabel(juce::Label& label)
{
    addAndMakeVisible(label);
    label.setFont(juce::Font(13.0f, juce::Font::plain));
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(false, false, false);
    label.setColour(juce::Label::textColourId, juce::Colour(labelTextArgb));
}

void MurmelAudioProcessorEditor::installComputerKeyboardNotes()
{
    midiKeyboard.clearKeyMappings();
    for (std::size_t offset = 0; offset < noteKeys.size(); ++offset)
        midiKeyboard.setKeyPressForNote(juce::KeyPress(noteKeys[offset], 0, 0),
                                        static_cast<int>(offset));
    midiKeyboard.setKeyPressBaseOctave(noteKeysBaseOctave);
}

void MurmelAudioProcessorEditor::paint(juce::Graphics& g)
{
    keepArtworkSet(artworkSetFor(deviceScaleOf(g)));
    g.fillAll(juce::Colour(0xff000000));
    g.setColour(juce::Colour(0xff000000));
    drawArtwork(g, artwork::editorBackground, {0, 0, windowWidth, windowHeight},
                {0, 0, backgroundImage.getWidth(), backgroundImage.getHeight()});
}

void MurmelAudioProcessorEditor::keepArtworkSet(int set)
{
    if (set == keptArtworkSet)
        return;
    keptArtworkSet = set;
    keptArtwork.clear();
    if (set == 1)
        return;
    for (const auto* art : {&artwork::editorBackground, &artwork::aboutPanel, &artwork::waveSine,
                            &artwork::waveSineDown, &artwork::waveSaw, &artwork::waveSawDown,
                            &artwork::waveSquare, &artwork::waveSquareDown, &artwork::aluminiumKnob,
                            &artwork::greenKnob, &artwork::redKnob})
        keptArtwork.push_back(artworkImage(*art, set));
}

void MurmelAudioProcessorEditor::resized()
{
    sliderDelayTime.setBounds(192, 224, 40, 40);
    sliderRate.setBounds(160, 85, 50, 50);
    sliderMode.setBounds(246, 85, 50, 50);
    sliderReverb.setBounds(63, 224, 40, 40);
    sliderGain.setBounds(25, 85, 50, 50);
    buttonMIDILearn.setBounds(554, 0, 69, 30);
    sliderDelayFeedback.setBounds(260, 224, 40, 40);
    oscillo.setBounds(385, 30, 216, 258);
    // Below the window's bottom edge: it only turns computer keys into notes.
    midiKeyboard.setBounds(62, 302, 518, 30);
    buttonOscSin.setBounds(325, 115, 30, 27);
    buttonOscSaw.setBounds(325, 147, 30, 27);
    buttonOscSquare.setBounds(325, 177, 30, 27);
    labelGain.setBounds(28, 137, 44, 24);
    labelRate.setBounds(163, 137, 44, 24);
    labelReverb.setBounds(62, 266, 44, 24);
    labelDelayTime.setBounds(191, 266, 44, 24);
    labelDelayFeedback.setBounds(262, 266, 44, 24);
    labelMode.setBounds(250, 137, 44, 24);
    sliderOSC.setBounds(322, 112, 36, 95);
    aboutButton.setBounds(0, 0, 146, 30);
}

void MurmelAudioProcessorEditor::setScaleFactor(float newScale)
{
    hostScale = newScale;
    applyWindowScale();
}

void MurmelAudioProcessorEditor::applyWindowScale()
{
    const float scale = chooseWindowScale(hostScale, desktopScaleForPluginWindows(),
                                          hostSendsItsOwnScale(audioProcessor.wrapperType));
    if (juce::approximatelyEqual(scale, windowScale))
        return;
    windowScale = scale;
    juce::AudioProcessorEditor::setScaleFactor(scale);
}

int MurmelAudioProcessorEditor::getControlParameterIndex(juce::Component& component)
{
    // Hosts map a knob to its parameter by the knob's name, so the names are part of behaviour.
    const juce::String& name = component.getName();
    if (name == "sliderOSC")
        return oscIndex;
    if (name == "sliderDelayTime")
        return delayTimeIndex;
    if (name == "sliderDelayFeedback")
        return delayFeedbackIndex;
    if (name == "sliderRate")
        return rateIndex;
    if (name == "sliderMode")
        return modeIndex;
    if (name == "sliderReverb")
        return reverbIndex;
    if (name == "sliderGain")
        return gainIndex;
    return -1;
}

int MurmelAudioProcessorEditor::parameterIndexOf(const juce::Slider* slider) const noexcept
{
    if (slider == &sliderDelayTime)
        return delayTimeIndex;
    if (slider == &sliderDelayFeedback)
        return delayFeedbackIndex;
    if (slider == &sliderOSC)
        return oscIndex;
    if (slider == &sliderRate)
        return rateIndex;
    if (slider == &sliderMode)
        return modeIndex;
    if (slider == &sliderReverb)
        return reverbIndex;
    if (slider == &sliderGain)
        return gainIndex;
    return -1;
}

void MurmelAudioProcessorEditor::sliderValueChanged(juce::Slider* slider)
{
    const int index = parameterIndexOf(slider);
    if (index < 0)
        return;

    writeParameter(index, normalisedFromKnob(index, slider->getValue()));
}

void MurmelAudioProcessorEditor::writeParameter(int index, float value)
{
    audioProcessor.setParameter(index, value);
    // Tells the host, which may record it as automation.
    if (auto* parameter = audioProcessor.getParameters()[index])
        parameter->sendValueChangedMessageToListeners(value);
}

void MurmelAudioProcessorEditor::sliderDragStarted(juce::Slider* slider)
{
    if (auto* parameter = audioProcessor.getParameters()[parameterIndexOf(slider)])
        parameter->beginChangeGesture();
}

void MurmelAudioProcessorEditor::sliderDragEnded(juce::Slider* slider)
{
    if (auto* parameter = audioProcessor.getParameters()[parameterIndexOf(slider)])
        parameter->endChangeGesture();
}

void MurmelAudioProcessorEditor::buttonClicked(juce::Button* button)
{
    if (button == &buttonMIDILearn)
    {
        setLearning(buttonMIDILearn.getToggleState());
        return;
    }

    if (button == &aboutButton)
    {
        aboutPanel->setVisible(!aboutPanel->isVisible());
        return;
    }

    const float oscValue = button == &buttonOscSin      ? 0.0f
                           : button == &buttonOscSaw    ? 0.5f
                           : button == &buttonOscSquare ? 1.0f
                                                        : -1.0f;
    if (oscValue < 0.0f)
        return;

    // A click on the waveform that is already on switches it back on, which sends it again.
    if (!button->getToggleState())
    {
        button->setToggleState(true, juce::sendNotificationSync);
        return;
    }
    writeParameter(oscIndex, oscValue);
}

void MurmelAudioProcessorEditor::setLearning(bool on)
{
    if (!on)
        audioProcessor.learnParameterIndex.store(-1, std::memory_order_relaxed);
    audioProcessor.midiLearnEnabled.store(on, std::memory_order_relaxed);

    for (auto* knob : {&sliderOSC, &sliderDelayTime, &sliderDelayFeedback, &sliderRate, &sliderMode,
                       &sliderReverb, &sliderGain})
        knob->getProperties().set(midiLearnOnProperty, on);

    optionPanel->setVisible(on);
    sliderOSC.setVisible(on);
}

void MurmelAudioProcessorEditor::updateOscButtons()
{
    const int waveform = roundHalfAwayFromZero(audioProcessor.getParameter(oscIndex) * 2.0f);
    const std::array<juce::ImageButton*, 3> buttons{&buttonOscSin, &buttonOscSaw, &buttonOscSquare};

    for (auto* button : buttons)
        button->setToggleState(false, juce::dontSendNotification);
    if (waveform >= 0 && waveform < static_cast<int>(buttons.size()))
        buttons[static_cast<std::size_t>(waveform)]->setToggleState(true,
                                                                    juce::dontSendNotification);
}

void MurmelAudioProcessorEditor::timerCallback()
{
    focusHiddenKeyboard();

    oscillo.refresh(audioProcessor.scopeCount.load(std::memory_order_relaxed));

    if (audioProcessor.midiLearnEnabled.load(std::memory_order_relaxed))
        chooseLearnTarget();
    else
        showLabelsOfTouchedKnobs();

    // Cleared before the values are read, so a change landing meanwhile is shown next tick.
    if (audioProcessor.parametersChanged.exchange(false, std::memory_order_relaxed))
        refreshFromParameters();
}

void MurmelAudioProcessorEditor::focusHiddenKeyboard()
{
    if (!midiKeyboard.hasKeyboardFocus(true) && hasKeyboardFocus(true))
        midiKeyboard.grabKeyboardFocus();
}

void MurmelAudioProcessorEditor::chooseLearnTarget()
{
    int target = -1;
    for (auto* knob : {&sliderOSC, &sliderDelayTime, &sliderDelayFeedback, &sliderRate, &sliderMode,
                       &sliderReverb, &sliderGain})
    {
        if (knob->isMouseOverOrDragging())
        {
            target = parameterIndexOf(knob);
            break;
        }
    }
    audioProcessor.learnParameterIndex.store(target, std::memory_order_relaxed);
}

void MurmelAudioProcessorEditor::showLabelsOfTouchedKnobs()
{
    const KnobLabel pairs[] = {
        {sliderGain, labelGain},           {sliderRate, labelRate},
        {sliderMode, labelMode},           {sliderReverb, labelReverb},
        {sliderDelayTime, labelDelayTime}, {sliderDelayFeedback, labelDelayFeedback},
    };
    for (const auto& pair : pairs)
        pair.label.setVisible(pair.knob.isMouseOverOrDragging());
}

void MurmelAudioProcessorEditor::refreshFromParameters()
{
    std::array<float, numParameters> values{};
    for (const int index : {oscIndex, delayTimeIndex, delayFeedbackIndex, rateIndex, modeIndex,
                            reverbIndex, gainIndex})
        values[static_cast<std::size_t>(index)] = audioProcessor.getParameter(index);
    const DisplayedValues shown = displayedValuesFor(values);

    sliderOSC.setValue(shown.waveform, juce::dontSendNotification);
    sliderDelayTime.setValue(shown.delayTimeSeconds, juce::dontSendNotification);
    sliderDelayFeedback.setValue(shown.delayFeedbackPercent, juce::dontSendNotification);
    sliderRate.setValue(shown.rateHz, juce::dontSendNotification);
    sliderMode.setValue(shown.mode, juce::dontSendNotification);
    sliderReverb.setValue(shown.reverbPercent, juce::dontSendNotification);
    sliderGain.setValue(shown.gainDecibels, juce::dontSendNotification);

    updateOscButtons();

    labelGain.setText(gainText(shown.gainDecibels), juce::dontSendNotification);
    labelRate.setText(rateText(shown.rateHz), juce::dontSendNotification);
    labelMode.setText(modeText(shown.mode), juce::dontSendNotification);
    labelReverb.setText(percentText(shown.reverbPercent), juce::dontSendNotification);
    labelDelayTime.setText(delayTimeText(shown.delayTimeSeconds), juce::dontSendNotification);
    labelDelayFeedback.setText(percentText(shown.delayFeedbackPercent), juce::dontSendNotification);
}

} // namespace halvo
