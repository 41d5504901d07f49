#include "PanelPainter.h"

#include "PanelLayout.h"
#include "Supersampling.h"

#include <cmath>

namespace halvo::artwork
{

namespace
{
const juce::Colour accent(0xff1f89d4);
const juce::Colour legendGrey(0xffc8cdd3);
const juce::Colour panelTop(0xff1b1f24);
const juce::Colour panelBottom(0xff121417);

// Section frames: OUTPUT over REVERB on the left, OSCILLATOR over DELAY in the middle.
const juce::Rectangle<float> leftFrame(6.0f, 36.0f, 124.0f, 252.0f);
const juce::Rectangle<float> middleFrame(138.0f, 36.0f, 234.0f, 252.0f);
constexpr float topHeaderBaseline = 48.0f;
constexpr float lowerHeaderBaseline = 203.0f;
constexpr float topNameBaseline = 75.0f;
constexpr float lowerNameBaseline = 215.5f;

juce::Point<float> polar(juce::Point<float> centre, float radius, float angle)
{
    return centre + juce::Point<float>(std::sin(angle), -std::cos(angle)) * radius;
}

void paintPanelBase(juce::Graphics& g)
{
    g.setGradientFill(juce::ColourGradient::vertical(panelTop, 0.0f, panelBottom,
                                                     static_cast<float>(panelHeight)));
    g.fillAll();
}

// A thin line cut into the panel: a dark groove with a light lip under it.
void engraveHorizontal(juce::Graphics& g, float x1, float x2, float y)
{
    g.setColour(juce::Colours::black.withAlpha(0.55f));
    g.fillRect(juce::Rectangle<float>(x1, y, x2 - x1, 1.0f));
    g.setColour(juce::Colours::white.withAlpha(0.06f));
    g.fillRect(juce::Rectangle<float>(x1, y + 1.0f, x2 - x1, 1.0f));
}

void paintRecess(juce::Graphics& g, juce::Rectangle<float> area, float corner, float depth)
{
    g.setColour(juce::Colours::white.withAlpha(0.07f));
    g.fillRoundedRectangle(area.translated(0.0f, 1.0f), corner);
    g.setColour(juce::Colour(0xff0b0d0f).withAlpha(depth));
    g.fillRoundedRectangle(area, corner);
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colours::black.withAlpha(0.55f),
                                                     area.getY(), juce::Colours::transparentBlack,
                                                     area.getY() + 4.0f));
    g.fillRoundedRectangle(area, corner);
    g.setColour(juce::Colours::black.withAlpha(0.6f));
    g.drawRoundedRectangle(area.reduced(0.5f), corner, 1.0f);
}

void paintHeader(juce::Graphics& g, const PanelFonts& fonts)
{
    const auto header = juce::Rectangle<float>(0.0f, 0.0f, static_cast<float>(panelWidth),
                                               static_cast<float>(headerHeight));
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colour(0xff262b31), 0.0f,
                                                     juce::Colour(0xff1a1d22), header.getBottom()));
    g.fillRect(header);
    g.setColour(juce::Colours::white.withAlpha(0.07f));
    g.fillRect(header.withHeight(1.0f));
    engraveHorizontal(g, 0.0f, header.getRight(), header.getBottom() - 1.0f);

    g.setColour(legendGrey.withAlpha(0.6f));
    drawTextLine(g, fonts.legend(9.0f), "MONOPHONIC SWEEP SYNTHESIZER", 350.0f, 18.5f,
                 TextAlign::centre);
}

juce::Path sweepGlyph(juce::Rectangle<float> area)
{
    juce::Path path;
    constexpr int steps = 64;
    for (int i = 0; i <= steps; ++i)
    {
        const float t = static_cast<float>(i) / steps;
        // A tone whose pitch rises: the instrument's sweep in one stroke.
        const float phase = juce::MathConstants<float>::twoPi * (0.6f * t + 1.3f * t * t);
        const auto point =
            juce::Point<float>(area.getX() + t * area.getWidth(),
                               area.getCentreY() - 0.5f * area.getHeight() * std::sin(phase));
        if (i == 0)
            path.startNewSubPath(point);
        else
            path.lineTo(point);
    }
    return path;
}

void paintLogo(juce::Graphics& g, const PanelFonts& fonts)
{
    const auto badge = logoArea.toFloat().reduced(2.0f);
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colour(0xff2c3238), badge.getY(),
                                                     juce::Colour(0xff1e2227), badge.getBottom()));
    g.fillRect(badge);
    g.setColour(juce::Colours::white.withAlpha(0.08f));
    g.fillRect(badge.withHeight(1.0f));

    const auto mark = juce::Rectangle<float>(11.0f, 6.0f, 18.0f, 18.0f);
    g.setGradientFill(juce::ColourGradient::vertical(accent.brighter(0.25f), mark.getY(),
                                                     accent.darker(0.3f), mark.getBottom()));
    g.fillRoundedRectangle(mark, 4.0f);
    g.setColour(juce::Colours::white.withAlpha(0.92f));
    g.strokePath(
        sweepGlyph(mark.reduced(3.0f, 5.0f)),
        juce::PathStrokeType(1.3f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    g.setColour(juce::Colour(0xffe3e7eb));
    drawTextLine(g, fonts.legend(19.0f).withExtraKerningFactor(0.28f), "HALVO", 38.0f, 21.5f,
                 TextAlign::left);
}

void paintMidiLearnPlate(juce::Graphics& g)
{
    // The button draws its caption and outline over this dark plate.
    const auto plate = midiLearnArea.toFloat();
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colour(0xff0c0e10), plate.getY(),
                                                     juce::Colour(0xff15181b), plate.getBottom()));
    g.fillRect(plate);
    g.setGradientFill(
        juce::ColourGradient::vertical(juce::Colours::black.withAlpha(0.6f), plate.getY() + 2.0f,
                                       juce::Colours::transparentBlack, plate.getY() + 8.0f));
    g.fillRect(plate.reduced(2.0f));
    g.setColour(juce::Colours::white.withAlpha(0.06f));
    g.fillRect(plate.getX() + 2.0f, plate.getBottom() - 3.0f, plate.getWidth() - 4.0f, 1.0f);
}

void paintFrame(juce::Graphics& g, juce::Rectangle<float> frame)
{
    constexpr float corner = 5.0f;
    g.setColour(juce::Colours::white.withAlpha(0.025f));
    g.fillRoundedRectangle(frame, corner);
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.drawRoundedRectangle(frame.reduced(0.5f), corner, 1.0f);
    g.setColour(juce::Colours::white.withAlpha(0.09f));
    g.fillRect(juce::Rectangle<float>(frame.getX() + corner, frame.getY() + 1.0f,
                                      frame.getWidth() - 2.0f * corner, 1.0f));
}

// A section's title followed by its rule in the accent colour.
void paintSectionTitle(juce::Graphics& g, const PanelFonts& fonts, const juce::String& title,
                       float left, float right, float baseline)
{
    const auto font = fonts.legend(10.0f);
    g.setColour(legendGrey);
    drawTextLine(g, font, title, left, baseline, TextAlign::left);
    const float ruleStart = left + textWidth(font, title) + 7.0f;
    const float ruleY = baseline - 3.5f;
    g.setGradientFill(juce::ColourGradient::horizontal(accent.withAlpha(0.85f), ruleStart,
                                                       accent.withAlpha(0.15f), right));
    g.fillRect(juce::Rectangle<float>(ruleStart, ruleY, right - ruleStart, 1.0f));
}

void paintSections(juce::Graphics& g, const PanelFonts& fonts)
{
    paintFrame(g, leftFrame);
    paintFrame(g, middleFrame);

    const float lowerDivider = lowerHeaderBaseline - 11.0f;
    engraveHorizontal(g, leftFrame.getX() + 1.0f, leftFrame.getRight() - 1.0f, lowerDivider);
    engraveHorizontal(g, middleFrame.getX() + 1.0f, waveformColumn.toFloat().getX() - 8.0f,
                      lowerDivider);

    paintSectionTitle(g, fonts, "OUTPUT", leftFrame.getX() + 9.0f, leftFrame.getRight() - 9.0f,
                      topHeaderBaseline);
    paintSectionTitle(g, fonts, "OSCILLATOR", middleFrame.getX() + 9.0f,
                      middleFrame.getRight() - 9.0f, topHeaderBaseline);
    paintSectionTitle(g, fonts, "REVERB", leftFrame.getX() + 9.0f, leftFrame.getRight() - 9.0f,
                      lowerHeaderBaseline);
    paintSectionTitle(g, fonts, "DELAY", middleFrame.getX() + 9.0f,
                      waveformColumn.toFloat().getX() - 16.0f, lowerHeaderBaseline);
}

void paintKnobScale(juce::Graphics& g, const PanelFonts& fonts, const KnobPlace& place)
{
    const auto bounds = place.bounds.toFloat();
    const auto centre = bounds.getCentre().translated(0.0f, -0.5f);
    const bool large = bounds.getWidth() > 45.0f;
    const float inner = large ? 25.0f : 20.5f;
    const float outer = large ? 28.0f : 23.0f;
    const float majorOuter = large ? 30.0f : 25.0f;

    for (int i = 0; i < place.tickCount; ++i)
    {
        const float position = static_cast<float>(i) / static_cast<float>(place.tickCount - 1);
        const bool major = i == 0 || i == place.tickCount - 1 || 2 * i == place.tickCount - 1;
        const float angle = knobAngle(position);
        g.setColour(legendGrey.withAlpha(major ? 0.85f : 0.6f));
        g.drawLine({polar(centre, inner, angle), polar(centre, major ? majorOuter : outer, angle)},
                   major ? 1.1f : 0.9f);
    }

    const auto numbers = fonts.number(large ? 8.5f : 8.0f);
    g.setColour(legendGrey.withAlpha(0.7f));
    // End values sit level with the outermost ticks, just outside the knob's own bounds (the
    // control takes the mouse there) and beside the value display below it.
    const auto minimum = polar(centre, majorOuter, knobStartAngle);
    const auto maximum = polar(centre, majorOuter, knobEndAngle);
    const float drop = large ? 2.5f : 1.0f;
    drawTextLine(g, numbers, place.minimumText, bounds.getX() - 1.0f, minimum.y + drop,
                 TextAlign::right);
    drawTextLine(g, numbers, place.maximumText, bounds.getRight() + 1.0f, maximum.y + drop,
                 TextAlign::left);

    g.setColour(legendGrey);
    drawTextLine(g, fonts.legend(10.0f), place.name, centre.x,
                 large ? topNameBaseline : lowerNameBaseline, TextAlign::centre);
}

// The plain strip where the knob's value label appears while the knob is hovered.
void paintValueDisplay(juce::Graphics& g, juce::Rectangle<int> label)
{
    auto strip = label.toFloat().reduced(1.0f, 2.0f);
    if (strip.getBottom() > static_cast<float>(panelHeight) - 3.0f)
        strip = strip.withBottom(static_cast<float>(panelHeight) - 3.0f).translated(0.0f, -1.0f);
    paintRecess(g, strip, 2.5f, 0.45f);
}

// Screw heads in the otherwise empty margin beside the screen.
void paintScrew(juce::Graphics& g, juce::Point<float> centre)
{
    const auto head = juce::Rectangle<float>(7.0f, 7.0f).withCentre(centre);
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.fillEllipse(head.expanded(0.8f).translated(0.0f, 0.6f));
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colour(0xff5a6068), head.getY(),
                                                     juce::Colour(0xff262a2f), head.getBottom()));
    g.fillEllipse(head);
    g.setColour(juce::Colours::black.withAlpha(0.7f));
    g.drawLine({centre.translated(-2.4f, 1.4f), centre.translated(2.4f, -1.4f)}, 1.0f);
    g.setColour(juce::Colours::white.withAlpha(0.12f));
    g.drawEllipse(head.reduced(0.4f), 0.6f);
}

void paintWaveformColumn(juce::Graphics& g, const PanelFonts& fonts)
{
    const auto column = waveformColumn.toFloat();
    paintRecess(g, column, 4.0f, 0.75f);
    g.setColour(legendGrey);
    drawTextLine(g, fonts.legend(10.0f), "WAVE", column.getCentreX(), column.getY() - 6.0f,
                 TextAlign::centre);
}

void paintScope(juce::Graphics& g)
{
    const auto glass = scopeArea.toFloat();
    const auto bezel =
        glass.expanded(6.0f, 0.0f).withBottom(static_cast<float>(panelHeight) + 6.0f);

    g.setGradientFill(juce::ColourGradient::horizontal(juce::Colour(0xff2b3036), bezel.getX(),
                                                       juce::Colour(0xff1d2126), bezel.getRight()));
    g.fillRoundedRectangle(bezel, 3.0f);
    g.setColour(juce::Colours::white.withAlpha(0.07f));
    g.fillRect(bezel.getX(), bezel.getY(), 1.0f, bezel.getHeight());
    g.setColour(juce::Colours::black.withAlpha(0.6f));
    g.fillRect(bezel.getRight() - 1.0f, bezel.getY(), 1.0f, bezel.getHeight());

    g.setGradientFill(juce::ColourGradient::vertical(juce::Colour(0xff0b0e11), glass.getY(),
                                                     juce::Colour(0xff07090b), glass.getBottom()));
    g.fillRect(glass);

    // Graticule: eight by six divisions, the centre lines a little stronger with fine ticks.
    constexpr int columns = 8, rows = 6;
    const float cellWidth = glass.getWidth() / columns;
    const float cellHeight = glass.getHeight() / rows;
    g.setColour(juce::Colours::white.withAlpha(0.045f));
    for (int i = 1; i < columns; ++i)
        g.fillRect(glass.getX() + cellWidth * static_cast<float>(i) - 0.5f, glass.getY(), 1.0f,
                   glass.getHeight());
    for (int i = 1; i < rows; ++i)
        g.fillRect(glass.getX(), glass.getY() + cellHeight * static_cast<float>(i) - 0.5f,
                   glass.getWidth(), 1.0f);

    const float centreX = glass.getCentreX(), centreY = glass.getCentreY();
    g.setColour(juce::Colours::white.withAlpha(0.06f));
    g.fillRect(glass.getX(), centreY - 0.5f, glass.getWidth(), 1.0f);
    g.fillRect(centreX - 0.5f, glass.getY(), 1.0f, glass.getHeight());
    g.setColour(juce::Colours::white.withAlpha(0.07f));
    for (float x = glass.getX() + cellWidth / 5.0f; x < glass.getRight(); x += cellWidth / 5.0f)
        g.fillRect(x - 0.5f, centreY - 2.0f, 1.0f, 4.0f);
    for (float y = glass.getY() + cellHeight / 5.0f; y < glass.getBottom(); y += cellHeight / 5.0f)
        g.fillRect(centreX - 2.0f, y - 0.5f, 4.0f, 1.0f);

    // Depth: shade from the bezel edges and a faint reflection across the upper glass.
    g.setGradientFill(juce::ColourGradient::vertical(juce::Colours::black.withAlpha(0.6f),
                                                     glass.getY(), juce::Colours::transparentBlack,
                                                     glass.getY() + 10.0f));
    g.fillRect(glass);
    g.setGradientFill(
        juce::ColourGradient::horizontal(juce::Colours::black.withAlpha(0.5f), glass.getX(),
                                         juce::Colours::transparentBlack, glass.getX() + 6.0f));
    g.fillRect(glass);
    g.setGradientFill(
        juce::ColourGradient::horizontal(juce::Colours::transparentBlack, glass.getRight() - 6.0f,
                                         juce::Colours::black.withAlpha(0.5f), glass.getRight()));
    g.fillRect(glass);
    g.setGradientFill(juce::ColourGradient(juce::Colours::white.withAlpha(0.03f), glass.getX(),
                                           glass.getY(), juce::Colours::transparentWhite,
                                           glass.getX() + glass.getWidth() * 0.6f,
                                           glass.getY() + glass.getHeight() * 0.5f, false));
    g.fillRect(glass);
    g.setColour(juce::Colours::black.withAlpha(0.8f));
    g.drawRect(glass.expanded(1.0f, 0.0f).withTrimmedTop(-1.0f), 1.0f);
}
} // namespace

juce::Image paintEditorBackground(const PanelFonts& fonts, int scale)
{
    auto image = renderSupersampled(panelWidth, panelHeight, scale, 2,
                                    [&](juce::Graphics& g)
                                    {
                                        paintPanelBase(g);
                                        paintSections(g, fonts);
                                        paintScope(g);
                                        paintHeader(g, fonts);
                                        paintLogo(g, fonts);
                                        paintMidiLearnPlate(g);
                                        for (const auto& place : knobPlaces)
                                        {
                                            paintKnobScale(g, fonts, place);
                                            paintValueDisplay(g, place.valueLabel);
                                        }
                                        paintWaveformColumn(g, fonts);
                                        paintScrew(g, {615.0f, 44.0f});
                                        paintScrew(g, {615.0f, 274.0f});
                                    });
    addBrushedGrain(image, image.getBounds().withTrimmedTop(headerHeight * scale), 0.018f, 1);
    addBrushedGrain(image, image.getBounds().withHeight(headerHeight * scale), 0.014f, 2);
    return image.convertedToFormat(juce::Image::RGB);
}

} // namespace halvo::artwork
