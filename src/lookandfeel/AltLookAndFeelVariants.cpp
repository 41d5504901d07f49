#include "AltLookAndFeelVariants.h"

namespace halvo
{

void AltLookAndFeel_WhiteButton::drawButtonBackground(juce::Graphics& g, juce::Button& button,
                                                      const juce::Colour& backgroundColour,
                                                      bool isMouseOver, bool isButtonDown)
{
    drawOutlinedButtonBackground(g, button, backgroundColour, isMouseOver, isButtonDown,
                                 juce::Colours::whitesmoke, 1.0f);
}

void AltLookAndFeel_greenButton::drawRotarySlider(juce::Graphics& g, int, int, int width,
                                                  int height, float sliderPosProportional, float,
                                                  float, juce::Slider& slider)
{
    drawKnobFrame(g, width, height, sliderPosProportional, artwork::greenKnob, 40);
    drawLearnHighlight(g, slider);
}

void AltLookAndFeel_redButton::drawRotarySlider(juce::Graphics& g, int, int, int width, int height,
                                                float sliderPosProportional, float, float,
                                                juce::Slider& slider)
{
    drawKnobFrame(g, width, height, sliderPosProportional, artwork::redKnob, 40);
    drawLearnHighlight(g, slider);
}

void AltLookAndFeel_transparentButton::drawButtonBackground(juce::Graphics&, juce::Button&,
                                                            const juce::Colour&, bool, bool)
{
}

void AltLookAndFeel_transparentButton::drawRotarySlider(juce::Graphics& g, int, int, int, int,
                                                        float, float, float, juce::Slider& slider)
{
    drawLearnHighlight(g, slider);
}

} // namespace halvo
