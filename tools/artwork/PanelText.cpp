#include "PanelText.h"

namespace halvo::artwork
{

namespace
{
juce::Typeface::Ptr loadTypeface(const juce::File& file)
{
    juce::MemoryBlock data;
    if (!file.loadFileAsData(data))
        return nullptr;
    return juce::Typeface::createSystemTypefaceFor(data.getData(), data.getSize());
}
} // namespace

juce::Font PanelFonts::legend(float height) const
{
    return juce::Font(light).withHeight(height).withExtraKerningFactor(0.16f);
}

juce::Font PanelFonts::number(float height) const
{
    return juce::Font(regular).withHeight(height).withExtraKerningFactor(0.02f);
}

PanelFonts loadPanelFonts(const juce::File& regularFile, const juce::File& lightFile)
{
    return {loadTypeface(regularFile), loadTypeface(lightFile)};
}

float textWidth(const juce::Font& font, const juce::String& text)
{
    // The tracking after the last letter is not part of the visible width.
    return font.getStringWidthFloat(text) - font.getExtraKerningFactor() * font.getHeight();
}

void drawTextLine(juce::Graphics& g, const juce::Font& font, const juce::String& text, float x,
                  float baseline, TextAlign align)
{
    const float width = textWidth(font, text);
    const float left = align == TextAlign::left     ? x
                       : align == TextAlign::centre ? x - width * 0.5f
                                                    : x - width;
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText(font, text, left, baseline);
    glyphs.draw(g);
}

} // namespace halvo::artwork
