#pragma once

#include "AltLookAndFeel.h"

namespace halvo
{

// Buttons with a whitesmoke outline while off.
class AltLookAndFeel_WhiteButton : public AltLookAndFeel
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button,
                              const juce::Colour& backgroundColour, bool isMouseOver,
                              bool isButtonDown) override;
};

// Knobs from the green filmstrip.
class AltLookAndFeel_greenButton : public AltLookAndFeel
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                          juce::Slider& slider) override;
};

// Knobs from the red filmstrip.
class AltLookAndFeel_redButton : public AltLookAndFeel
{
public:
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                          juce::Slider& slider) override;
};

// Invisible controls: buttons draw no background, knobs only the learn brackets.
class AltLookAndFeel_transparentButton : public AltLookAndFeel
{
public:
    void drawButtonBackground(juce::Graphics& g, juce::Button& button,
                              const juce::Colour& backgroundColour, bool isMouseOver,
                              bool isButtonDown) override;
    void drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                          float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                          juce::Slider& slider) override;
};

} // namespace halvo
