#pragma once

#include "PanelText.h"

#include <juce_graphics/juce_graphics.h>

namespace halvo::artwork
{

// The whole face of the editor (623 x 289, opaque) with every legend the window needs.
juce::Image paintEditorBackground(const PanelFonts& fonts);

} // namespace halvo::artwork
