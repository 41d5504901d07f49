#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace halvo::artwork
{

// Paints at `factor` times the size in logical units of the final image and box-filters the result
// down, which gives the small knobs and glyphs smooth edges.
juce::Image renderSupersampled(int width, int height, int factor,
                               const std::function<void(juce::Graphics&)>& paint);

// Adds a fixed pattern of fine grain and faint horizontal brushing to the opaque parts of an image.
void addBrushedGrain(juce::Image& image, juce::Rectangle<int> area, float strength, int seed);

} // namespace halvo::artwork
