#include "KnobPainter.h"

#include "PanelLayout.h"
#include "Supersampling.h"

#include <algorithm>
#include <cmath>

namespace halvo::artwork
{

namespace
{
constexpr int knobSupersampling = 4;

juce::Point<float> polar(juce::Point<float> centre, float radius, float angle)
{
    return centre + juce::Point<float>(std::sin(angle), -std::cos(angle)) * radius;
}

juce::Rectangle<float> circle(juce::Point<float> centre, float radius)
{
    return juce::Rectangle<float>(radius * 2.0f, radius * 2.0f).withCentre(centre);
}

void paintShadow(juce::Graphics& g, const KnobStyle& style, juce::Point<float> centre)
{
    const auto shadowCentre = centre.translated(0.0f, style.skirtRadius * 0.09f);
    const float reach = style.skirtRadius + static_cast<float>(style.frameSize) * 0.07f;
    juce::ColourGradient shadow(juce::Colours::black.withAlpha(0.6f), shadowCentre,
                                juce::Colours::transparentBlack,
                                shadowCentre.translated(reach, 0.0f), true);
    shadow.addColour((style.skirtRadius - 1.0f) / reach, juce::Colours::black.withAlpha(0.5f));
    g.setGradientFill(shadow);
    g.fillEllipse(circle(shadowCentre, reach));
}

void paintSkirt(juce::Graphics& g, const KnobStyle& style, juce::Point<float> centre, float angle)
{
    const auto skirt = circle(centre, style.skirtRadius);
    g.setGradientFill(juce::ColourGradient::vertical(style.skirtTop, skirt.getY(),
                                                     style.skirtBottom, skirt.getBottom()));
    g.fillEllipse(skirt);

    // Knurled grip: ridges that turn with the knob.
    constexpr int ridgeCount = 40;
    for (int i = 0; i < ridgeCount; ++i)
    {
        const float ridgeAngle = angle + juce::MathConstants<float>::twoPi * static_cast<float>(i) /
                                             static_cast<float>(ridgeCount);
        const float shadeAngle = ridgeAngle + juce::MathConstants<float>::pi / ridgeCount;
        const float inner = style.capRadius + 0.6f;
        const float outer = style.skirtRadius - 0.4f;
        g.setColour(juce::Colours::white.withAlpha(0.10f));
        g.drawLine({polar(centre, inner, ridgeAngle), polar(centre, outer, ridgeAngle)}, 0.45f);
        g.setColour(juce::Colours::black.withAlpha(0.35f));
        g.drawLine({polar(centre, inner, shadeAngle), polar(centre, outer, shadeAngle)}, 0.45f);
    }

    // Light from above catches the upper rim of the skirt.
    juce::ColourGradient rim =
        juce::ColourGradient::vertical(juce::Colours::white.withAlpha(0.22f), skirt.getY(),
                                       juce::Colours::black.withAlpha(0.5f), skirt.getBottom());
    g.setGradientFill(rim);
    g.drawEllipse(skirt.reduced(0.35f), 0.7f);
}

void paintCap(juce::Graphics& g, const KnobStyle& style, juce::Point<float> centre)
{
    const auto cap = circle(centre, style.capRadius);

    // A soft step down from the cap onto the skirt.
    g.setColour(juce::Colours::black.withAlpha(0.45f));
    g.fillEllipse(cap.expanded(0.6f).translated(0.0f, 0.5f));

    g.setGradientFill(
        juce::ColourGradient::vertical(style.capTop, cap.getY(), style.capBottom, cap.getBottom()));
    g.fillEllipse(cap);

    // Satin finish: fine concentric turning marks, the same in every frame.
    juce::Random turning(7);
    for (float radius = 0.6f; radius < style.capRadius - 0.3f; radius += 0.35f)
    {
        const bool lighter = turning.nextBool();
        g.setColour((lighter ? juce::Colours::white : juce::Colours::black)
                        .withAlpha(0.015f + turning.nextFloat() * 0.035f));
        g.drawEllipse(circle(centre, radius), 0.3f);
    }

    // Top-lit sheen.
    const auto sheenCentre = centre.translated(0.0f, -style.capRadius * 0.45f);
    juce::ColourGradient sheen(juce::Colours::white.withAlpha(0.28f), sheenCentre,
                               juce::Colours::transparentWhite,
                               sheenCentre.translated(style.capRadius * 0.9f, 0.0f), true);
    g.setGradientFill(sheen);
    g.fillEllipse(cap);

    juce::ColourGradient edge =
        juce::ColourGradient::vertical(juce::Colours::white.withAlpha(0.55f), cap.getY(),
                                       juce::Colours::black.withAlpha(0.35f), cap.getBottom());
    g.setGradientFill(edge);
    g.drawEllipse(cap.reduced(0.3f), 0.6f);
}

void paintPointer(juce::Graphics& g, const KnobStyle& style, juce::Point<float> centre, float angle)
{
    const float thickness = static_cast<float>(style.frameSize) * 0.045f;
    const juce::Line<float> line(polar(centre, style.capRadius * 0.28f, angle),
                                 polar(centre, style.capRadius * 0.93f, angle));
    juce::Path pointer;
    pointer.addLineSegment(line, thickness);
    juce::PathStrokeType rounded(thickness * 0.3f, juce::PathStrokeType::curved,
                                 juce::PathStrokeType::rounded);

    // Engraved: a light lip just below the groove, then the groove itself.
    g.setColour(style.pointerShade);
    g.fillPath(pointer, juce::AffineTransform::translation(0.0f, 0.5f));
    g.strokePath(pointer, rounded, juce::AffineTransform::translation(0.0f, 0.5f));
    g.setColour(style.pointer);
    g.fillPath(pointer);
    g.strokePath(pointer, rounded);

    // The line continues as a short mark across the grip, readable from afar.
    g.drawLine({polar(centre, style.capRadius + 0.8f, angle),
                polar(centre, style.skirtRadius - 0.6f, angle)},
               thickness * 0.8f);
}
} // namespace

KnobStyle aluminiumKnob()
{
    return {50,
            20.5f,
            15.5f,
            juce::Colour(0xffd9dce0),
            juce::Colour(0xff8e939a),
            juce::Colour(0xff474b51),
            juce::Colour(0xff1a1c1f),
            juce::Colour(0xff202327),
            juce::Colours::white.withAlpha(0.35f)};
}

KnobStyle greenKnob()
{
    return {40,
            16.5f,
            12.5f,
            juce::Colour(0xff79ab83),
            juce::Colour(0xff345c3e),
            juce::Colour(0xff3f4348),
            juce::Colour(0xff17191c),
            juce::Colour(0xfff1efe8),
            juce::Colours::black.withAlpha(0.45f)};
}

KnobStyle redKnob()
{
    return {40,
            16.5f,
            12.5f,
            juce::Colour(0xffc8665a),
            juce::Colour(0xff7a2b25),
            juce::Colour(0xff3f4348),
            juce::Colour(0xff17191c),
            juce::Colour(0xfff3eee6),
            juce::Colours::black.withAlpha(0.45f)};
}

juce::Image paintKnobFrame(const KnobStyle& style, float angle, int scale)
{
    const auto size = static_cast<float>(style.frameSize);
    // The same painted detail per unit at every scale.
    return renderSupersampled(style.frameSize, style.frameSize, scale,
                              std::max(1, knobSupersampling / scale),
                              [&](juce::Graphics& g)
                              {
                                  const juce::Point<float> centre(size * 0.5f, size * 0.5f - 0.5f);
                                  paintShadow(g, style, centre);
                                  paintSkirt(g, style, centre, angle);
                                  paintCap(g, style, centre);
                                  paintPointer(g, style, centre, angle);
                              });
}

juce::Image paintKnobFilmstrip(const KnobStyle& style, int scale)
{
    const int size = style.frameSize * scale;
    juce::Image strip(juce::Image::ARGB, size, size * knobFrameCount, true);
    juce::Graphics g(strip);
    for (int frame = 0; frame < knobFrameCount; ++frame)
    {
        const int step = juce::jmin(frame, knobLastPositionFrame);
        const float position = static_cast<float>(step) / static_cast<float>(knobLastPositionFrame);
        g.drawImageAt(paintKnobFrame(style, knobAngle(position), scale), 0, frame * size);
    }
    return strip;
}

} // namespace halvo::artwork
