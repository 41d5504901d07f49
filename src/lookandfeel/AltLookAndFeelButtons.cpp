#include "AltLookAndFeel.h"

namespace halvo
{

void AltLookAndFeel::drawButtonBackground(juce::Graphics& g, juce::Button& button,
                                          const juce::Colour& backgroundColour, bool isMouseOver,
                                          bool isButtonDown)
{
    drawOutlinedButtonBackground(g, button, backgroundColour, isMouseOver, isButtonDown,
                                 juce::Colour(0xff000000), 2.0f);
}

void AltLookAndFeel::drawOutlinedButtonBackground(juce::Graphics& g, juce::Button& button,
                                                  juce::Colour backgroundColour, bool isMouseOver,
                                                  bool isButtonDown, juce::Colour offOutline,
                                                  float offThickness)
{
    const float saturation = button.hasKeyboardFocus(true) ? 1.3f : 0.9f;
    const float alpha = button.isEnabled() ? 0.9f : 0.5f;
    auto base = backgroundColour.withMultipliedSaturation(saturation).withMultipliedAlpha(alpha);
    if (isButtonDown)
        base = base.contrasting(0.2f);
    else if (isMouseOver)
        base = base.contrasting(0.1f);

    // At rest a button shows only its outline; the shape appears under the mouse.
    const float w = static_cast<float>(button.getWidth()) - 1.0f;
    const float h = static_cast<float>(button.getHeight()) - 1.0f;
    if ((isButtonDown || isMouseOver) && w > 0.0f && h > 0.0f)
    {
        const bool left = button.isConnectedOnLeft(), right = button.isConnectedOnRight();
        const bool top = button.isConnectedOnTop(), bottom = button.isConnectedOnBottom();
        juce::Path shape;
        shape.addRoundedRectangle(0.5f, 0.5f, w, h, 4.0f, 4.0f, !(left || top), !(right || top),
                                  !(left || bottom), !(right || bottom));
        paintButtonShape(g, shape, base, h);
    }

    const bool on = button.getToggleState();
    g.setColour(on ? juce::Colour(accentArgb) : offOutline);
    g.drawRect(button.getLocalBounds().toFloat(), on ? 2.0f : offThickness);
}

void AltLookAndFeel::paintButtonShape(juce::Graphics& g, const juce::Path& outline,
                                      juce::Colour baseColour, float height)
{
    const float brightness = baseColour.getBrightness();
    const float alpha = baseColour.getFloatAlpha();

    g.setGradientFill(juce::ColourGradient(baseColour.brighter(0.2f), 0.0f, 0.0f,
                                           baseColour.darker(0.25f), 0.0f, height, false));
    g.fillPath(outline);

    g.setColour(juce::Colours::white.withAlpha(0.4f * alpha * brightness * brightness));
    g.strokePath(
        outline, juce::PathStrokeType(1.0f),
        juce::AffineTransform::translation(0.0f, 1.0f).scaled(1.0f, (height - 1.6f) / height));
}

} // namespace halvo
