#include "AboutCard.h"

#include "Supersampling.h"

#include <cmath>

namespace halvo::artwork
{

namespace
{
constexpr int cardWidth = 220;
constexpr int cardHeight = 280;
const juce::Colour cream(0xfff6ece2);

void paintSweepOrnament(juce::Graphics& g, juce::Rectangle<float> area)
{
    // The swept tone the instrument makes: a sine whose loudness and pitch rise and fall.
    juce::Path wave;
    constexpr int steps = 400;
    for (int i = 0; i <= steps; ++i)
    {
        const float t = static_cast<float>(i) / steps;
        const float envelope = std::sin(juce::MathConstants<float>::pi * t);
        const float phase = juce::MathConstants<float>::twoPi * (4.0f * t + 5.0f * t * t);
        const juce::Point<float> point(area.getX() + t * area.getWidth(),
                                       area.getCentreY() -
                                           0.5f * area.getHeight() * envelope * std::sin(phase));
        if (i == 0)
            wave.startNewSubPath(point);
        else
            wave.lineTo(point);
    }
    g.setColour(cream.withAlpha(0.4f));
    g.strokePath(wave, juce::PathStrokeType(1.1f, juce::PathStrokeType::curved,
                                            juce::PathStrokeType::rounded));
    g.setColour(cream.withAlpha(0.18f));
    g.fillRect(area.getX(), area.getCentreY() - 0.25f, area.getWidth(), 0.5f);
}
} // namespace

juce::Image paintAboutCard(const PanelFonts& fonts, int scale)
{
    auto card = renderSupersampled(
        cardWidth, cardHeight, scale, 2,
        [&](juce::Graphics& g)
        {
            // The card floats on a soft shadow inside the picture's margin.
            const auto body = juce::Rectangle<float>(12.0f, 10.0f, 196.0f, 258.0f);
            constexpr float corner = 8.0f;
            for (int spread = 10; spread > 0; --spread)
            {
                const auto reach = static_cast<float>(spread);
                g.setColour(juce::Colours::black.withAlpha(0.05f));
                g.fillRoundedRectangle(body.expanded(reach).translated(0.0f, 2.0f), corner + reach);
            }

            g.setGradientFill(juce::ColourGradient::vertical(
                juce::Colour(0xffad3a2e), body.getY(), juce::Colour(0xfa621b17), body.getBottom()));
            g.fillRoundedRectangle(body, corner);
            juce::ColourGradient glow(juce::Colour(0x40ffb48a), body.getCentreX(),
                                      body.getY() + 40.0f, juce::Colour(0x00ffb48a),
                                      body.getCentreX(), body.getY() + 190.0f, true);
            g.setGradientFill(glow);
            g.fillRoundedRectangle(body, corner);
            g.setColour(juce::Colours::white.withAlpha(0.22f));
            g.drawRoundedRectangle(body.reduced(1.0f), corner - 1.0f, 1.0f);
            g.setColour(juce::Colours::black.withAlpha(0.45f));
            g.drawRoundedRectangle(body.reduced(0.25f), corner, 0.6f);

            // Mark: a ring carrying the rising sweep, centred over the title.
            const auto mark = juce::Rectangle<float>(40.0f, 40.0f).withCentre({110.0f, 40.0f});
            g.setColour(cream.withAlpha(0.9f));
            g.drawEllipse(mark, 1.6f);
            juce::Path sweep;
            for (int i = 0; i <= 64; ++i)
            {
                const float t = static_cast<float>(i) / 64.0f;
                const float phase = juce::MathConstants<float>::twoPi * (0.6f * t + 1.3f * t * t);
                const juce::Point<float> point(mark.getX() + 8.0f + t * (mark.getWidth() - 16.0f),
                                               mark.getCentreY() - 7.0f * std::sin(phase));
                if (i == 0)
                    sweep.startNewSubPath(point);
                else
                    sweep.lineTo(point);
            }
            g.strokePath(sweep, juce::PathStrokeType(1.8f, juce::PathStrokeType::curved,
                                                     juce::PathStrokeType::rounded));

            g.setColour(cream.withAlpha(0.35f));
            g.fillRect(40.0f, 106.0f, 140.0f, 0.7f);

            g.setColour(cream.withAlpha(0.92f));
            drawTextLine(g, fonts.legend(10.5f), "MONOPHONIC SWEEP SYNTHESIZER", 110.0f, 126.0f,
                         TextAlign::centre);
            g.setColour(cream.withAlpha(0.75f));
            drawTextLine(g, fonts.number(11.0f), "seven sweep modes, delay, reverb", 110.0f, 144.0f,
                         TextAlign::centre);
            drawTextLine(g, fonts.number(11.0f), "designed and built by Drovask", 110.0f, 160.0f,
                         TextAlign::centre);

            paintSweepOrnament(g, {30.0f, 178.0f, 160.0f, 36.0f});

            // A light slip under the hyperlink, so its red text reads on the card.
            const auto slip = juce::Rectangle<float>(21.0f, 234.0f, 178.0f, 30.0f);
            g.setColour(juce::Colours::black.withAlpha(0.25f));
            g.fillRoundedRectangle(slip.translated(0.0f, 1.0f), 4.0f);
            g.setColour(cream.withAlpha(0.96f));
            g.fillRoundedRectangle(slip, 4.0f);
        });
    addBrushedGrain(card, card.getBounds(), 0.02f, 3);
    return card;
}

} // namespace halvo::artwork
