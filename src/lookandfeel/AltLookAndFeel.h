#pragma once

#include "lookandfeel/ScaledArtwork.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace halvo
{

// The plug-in's own look: filmstrip knobs with the MIDI-learn brackets, the embedded Roboto for
// default-font text, quiet combo boxes and outlined buttons. The editor makes one the default.
class AltLookAndFeel : public juce::LookAndFeel_V3
{
public:
    // The family's accent: learn brackets, the outline of a button that is on, menu highlights.
    static constexpr juce::uint32 accentArgb = 0xff1f89d4;

    AltLookAndFeel();

    juce::Typeface::Ptr getTypefaceForFont(const juce::Font& font) override;
    void playAlertSound() override;

    void drawButtonBackground(juce::Graphics& g, juce::Button& button,
                              const juce::Colour& backgroundColour, bool isMouseOver,
                              bool isButtonDown) override;
    juce::Font getTextButtonFont(juce::TextButton& button, int buttonHeight) override;

    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX,
                      int buttonY, int buttonW, int buttonH, juce::ComboBox& box) override;
    juce::Font getComboBoxFont(juce::ComboBox& box) override;

    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style,
                          juce::Slider& slider) override;
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                          juce::Slider& slider) override;

    // The gradient fill of a hovered or pressed button, with a thin highlight inside its top edge.
    void paintButtonShape(juce::Graphics& g, const juce::Path& outline, juce::Colour baseColour,
                          float height);

protected:
    // Draws the frame of a vertical filmstrip of square frames for a knob position in 0..1, from
    // the strip's set that suits the screen.
    static void drawKnobFrame(juce::Graphics& g, int width, int height, float position,
                              const ScaledArtwork& strip, int frameSize);
    // Blue corner brackets on a knob that MIDI learn would bind if a controller moved now.
    static void drawLearnHighlight(juce::Graphics& g, juce::Slider& slider);

    void drawOutlinedButtonBackground(juce::Graphics& g, juce::Button& button,
                                      juce::Colour backgroundColour, bool isMouseOver,
                                      bool isButtonDown, juce::Colour offOutline,
                                      float offThickness);
};

} // namespace halvo
