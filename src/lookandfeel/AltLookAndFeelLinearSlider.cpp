#include "AltLookAndFeel.h"

#include <cmath>

namespace halvo
{

namespace
{
using Style = juce::Slider::SliderStyle;

int roundHalfEven(float value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Slider positions come from the framework as floats; a broken value must not reach an int cast.
int truncateToPixel(float value)
{
    return std::isfinite(value) ? static_cast<int>(juce::jlimit(-1.0e6f, 1.0e6f, value)) : 0;
}

void drawPointer(juce::Graphics& g, juce::Point<float> a, juce::Point<float> b,
                 juce::Point<float> c, juce::Colour fill, juce::Colour outline)
{
    juce::Path triangle;
    triangle.addTriangle(a, b, c);
    g.setColour(fill);
    g.fillPath(triangle);
    g.setColour(outline);
    g.strokePath(triangle, juce::PathStrokeType(0.3f));
}
} // namespace

void AltLookAndFeel::drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height,
                                      float sliderPos, float minSliderPos, float maxSliderPos,
                                      juce::Slider::SliderStyle style, juce::Slider& slider)
{
    g.fillAll(slider.findColour(juce::Slider::backgroundColourId));

    if (style == Style::LinearBar)
    {
        const juce::Rectangle<int> bar(x, y, truncateToPixel(sliderPos) - x, height);
        g.setColour(slider.findColour(juce::Slider::thumbColourId));
        g.fillRect(bar);
        g.setColour(slider.findColour(juce::Slider::textBoxTextColourId).withMultipliedAlpha(0.5f));
        g.drawRect(bar.toFloat(), 1.0f);
        return;
    }

    const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
    const auto fw = static_cast<float>(width), fh = static_cast<float>(height);
    const bool horizontal = style == Style::LinearHorizontal ||
                            style == Style::TwoValueHorizontal ||
                            style == Style::ThreeValueHorizontal;

    g.setColour(slider.findColour(juce::Slider::trackColourId)
                    .withMultipliedAlpha(slider.isEnabled() ? 1.0f : 0.3f));
    if (horizontal)
        g.fillRect(x, y + roundHalfEven(fh * 0.6f), width, roundHalfEven(fh * 0.2f));
    else
        g.fillRect(x + roundHalfEven(fw * 0.5f) - 2, y, 2, height);

    const bool hovered = slider.isMouseOverOrDragging();
    const float alpha = !slider.isEnabled() ? 0.35f : hovered ? 1.0f : 0.7f;
    const bool learning = static_cast<bool>(slider.getProperties()["midiLearnOn"]) && hovered;
    const auto fill = learning ? juce::Colours::red.withAlpha(0.9f)
                               : slider.findColour(juce::Slider::thumbColourId).withAlpha(alpha);
    const auto outline = juce::Colours::black.withAlpha(alpha);
    const float cx = fx + fw * 0.5f;

    if (style == Style::TwoValueVertical || style == Style::ThreeValueVertical)
    {
        const float tip = cx + juce::jmin(4.0f, fw * 0.3f);
        const float back = cx - juce::jmin(8.0f, fw * 0.4f);
        drawPointer(g, {tip, minSliderPos}, {back, minSliderPos - 7.0f}, {back, minSliderPos}, fill,
                    outline);
        drawPointer(g, {tip, maxSliderPos}, {back, maxSliderPos}, {back, maxSliderPos + 7.0f}, fill,
                    outline);
    }
    else if (style == Style::TwoValueHorizontal || style == Style::ThreeValueHorizontal)
    {
        const float tip = fy + fh * 0.6f - juce::jmin(4.0f, fh * 0.3f);
        const float base = fy + fh * 0.9f;
        drawPointer(g, {minSliderPos, tip}, {minSliderPos - 7.0f, base}, {minSliderPos, base}, fill,
                    outline);
        drawPointer(g, {maxSliderPos, tip}, {maxSliderPos, base}, {maxSliderPos + 7.0f, base}, fill,
                    outline);
    }

    if (style == Style::LinearHorizontal || style == Style::ThreeValueHorizontal)
    {
        drawPointer(g, {sliderPos, fy + fh * 0.9f}, {sliderPos - 7.0f, fy + fh * 0.2f},
                    {sliderPos + 7.0f, fy + fh * 0.2f}, fill, outline);
    }
    else if (style == Style::LinearVertical || style == Style::ThreeValueVertical)
    {
        const float tip = cx - juce::jmin(4.0f, fw * 0.3f) + 6.0f;
        const float back = cx + juce::jmin(8.0f, fw * 0.4f) + 2.0f;
        drawPointer(g, {tip, sliderPos}, {back, sliderPos - 5.0f}, {back, sliderPos + 5.0f}, fill,
                    outline);
    }
}

} // namespace halvo
