#pragma once

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// The two embedded Roboto faces, loaded from the font files the plug-in also embeds.
struct PanelFonts
{
    juce::Typeface::Ptr regular;
    juce::Typeface::Ptr light;

    // Legends: light capitals with wide tracking.
    juce::Font legend(float height) const;
    // Numbers and small print.
    juce::Font number(float height) const;
};

PanelFonts loadPanelFonts(const juce::File& regularFile, const juce::File& lightFile);

enum class TextAlign
{
    left,
    centre,
    right
};

// Draws one line with its baseline at y; x is the left edge, the centre or the right edge.
void drawTextLine(juce::Graphics& g, const juce::Font& font, const juce::String& text, float x,
                  float baseline, TextAlign align);

float textWidth(const juce::Font& font, const juce::String& text);

} // namespace halvo::artwork
