#pragma once

#include "PanelText.h"

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// The whole face of the editor (623 x 289 units, opaque) with every legend the window needs, at
// `scale` pixels per unit.
juce::Image paintEditorBackground(const PanelFonts& fonts, int scale);

} // namespace halvo::artwork
