#include "WavePlates.h"

#include "Supersampling.h"

#include <algorithm>
#include <cmath>

namespace halvo::artwork
{

namespace
{
constexpr int plateWidth = 30;
constexpr int plateHeight = 27;

juce::Path glyphPath(Waveform waveform)
{
    // Straight strokes on pixel centres stay crisp.
    constexpr float left = 6.5f, right = 23.5f, top = 8.5f, bottom = 19.5f;
    constexpr float middle = (top + bottom) * 0.5f;
    juce::Path path;
    switch (waveform)
    {
    case Waveform::sine:
    {
        constexpr int steps = 48;
        for (int i = 0; i <= steps; ++i)
        {
            const float t = static_cast<float>(i) / steps;
            const float x = left + t * (right - left);
            const float y =
                middle - (bottom - top) * 0.5f * std::sin(juce::MathConstants<float>::twoPi * t);
            if (i == 0)
                path.startNewSubPath(x, y);
            else
                path.lineTo(x, y);
        }
        break;
    }
    case Waveform::saw:
        path.startNewSubPath(left, bottom);
        path.lineTo(15.5f, top);
        path.lineTo(15.5f, bottom);
        path.lineTo(right, top);
        break;
    case Waveform::square:
        path.startNewSubPath(left, bottom);
        path.lineTo(left, top);
        path.lineTo(15.5f, top);
        path.lineTo(15.5f, bottom);
        path.lineTo(right, bottom);
        path.lineTo(right, top);
        break;
    }
    return path;
}
} // namespace

juce::Image paintWavePlate(Waveform waveform, bool selected, int scale)
{
    // The same painted detail per unit at every scale.
    return renderSupersampled(
        plateWidth, plateHeight, scale, std::max(1, 4 / scale),
        [&](juce::Graphics& g)
        {
            const juce::Rectangle<float> plate(0.5f, 0.5f, plateWidth - 1.0f, plateHeight - 1.0f);
            g.setGradientFill(juce::ColourGradient::vertical(
                juce::Colours::black.withAlpha(selected ? 0.5f : 0.38f), plate.getY(),
                juce::Colours::black.withAlpha(selected ? 0.42f : 0.30f), plate.getBottom()));
            g.fillRoundedRectangle(plate, 3.5f);
            g.setGradientFill(juce::ColourGradient::vertical(
                juce::Colours::white.withAlpha(0.10f), plate.getY(),
                juce::Colours::white.withAlpha(0.03f), plate.getBottom()));
            g.drawRoundedRectangle(plate.reduced(0.25f), 3.3f, 0.6f);

            const auto glyph = glyphPath(waveform);
            const juce::PathStrokeType stroke(1.6f, juce::PathStrokeType::curved,
                                              juce::PathStrokeType::rounded);
            if (selected)
            {
                g.setColour(juce::Colours::white.withAlpha(0.14f));
                g.strokePath(glyph, juce::PathStrokeType(4.0f, juce::PathStrokeType::curved,
                                                         juce::PathStrokeType::rounded));
                g.setColour(juce::Colours::white);
            }
            else
            {
                g.setColour(juce::Colour(0xff5f656d));
            }
            g.strokePath(glyph, stroke);
        });
}

} // namespace halvo::artwork
