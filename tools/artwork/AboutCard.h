#pragma once

#include "PanelText.h"

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// The 220 x 280 card of the about panel; the title (20, 75) and the link (25, 238) are drawn on
// it by the program, so those places stay plain.
juce::Image paintAboutCard(const PanelFonts& fonts);

} // namespace halvo::artwork
