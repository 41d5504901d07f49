#include "AltLookAndFeel.h"

#include <cmath>

namespace halvo
{

namespace
{
// Positions 0..1 map onto frames 0..126; the strip's last frame is never chosen.
constexpr float lastPositionFrame = 126.0f;

bool isMidiLearnOn(const juce::Component& component)
{
    return static_cast<bool>(component.getProperties()["midiLearnOn"]);
}
} // namespace

void AltLookAndFeel::drawKnobFrame(juce::Graphics& g, int width, int height, float position,
                                   const ScaledArtwork& strip, int frameSize)
{
    // A position outside 0..1 (or not a number) would pick a rectangle off the strip.
    const float clamped = std::isfinite(position) ? juce::jlimit(0.0f, 1.0f, position) : 0.0f;
    const int frame = static_cast<int>(std::floor(clamped * lastPositionFrame));
    drawArtwork(g, strip, {0, 0, width, height}, {0, frame * frameSize, frameSize, frameSize});
}

void AltLookAndFeel::drawLearnHighlight(juce::Graphics& g, juce::Slider& slider)
{
    if (!(slider.isMouseOverOrDragging() && slider.isEnabled() && isMidiLearnOn(slider)))
        return;

    constexpr float arm = 5.0f;
    constexpr float segmentThickness = 1.0f;
    const auto w = static_cast<float>(slider.getWidth());
    const auto h = static_cast<float>(slider.getHeight());
    juce::Path brackets;
    const auto add = [&brackets](float x1, float y1, float x2, float y2) {
        brackets.addLineSegment({x1, y1, x2, y2}, segmentThickness);
    };
    add(0.0f, arm, 0.0f, 0.0f);
    add(0.0f, 0.0f, arm, 0.0f);
    add(w, arm, w, 0.0f);
    add(w, 0.0f, w - arm, 0.0f);
    add(w, h - arm, w, h);
    add(w, h, w - arm, h);
    add(0.0f, h - arm, 0.0f, h);
    add(0.0f, h, arm, h);

    g.setColour(juce::Colour(accentArgb));
    g.strokePath(brackets, juce::PathStrokeType(5.0f, juce::PathStrokeType::mitered,
                                                juce::PathStrokeType::butt));
}

void AltLookAndFeel::drawRotarySlider(juce::Graphics& g, int, int, int width, int height,
                                      float sliderPosProportional, float, float,
                                      juce::Slider& slider)
{
    drawKnobFrame(g, width, height, sliderPosProportional, artwork::aluminiumKnob, 50);
    drawLearnHighlight(g, slider);
}

} // namespace halvo
