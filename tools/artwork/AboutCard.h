#pragma once

#include "PanelText.h"

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// The 220 x 280 unit card of the about panel, at `scale` pixels per unit; the title (20, 75) and
// the link (25, 238) are drawn on it by the program, so those places stay plain.
juce::Image paintAboutCard(const PanelFonts& fonts, int scale);

} // namespace halvo::artwork
