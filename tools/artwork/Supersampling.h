#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace halvo::artwork
{

// The painter draws in logical units; the image has `scale` pixels per unit (1 for the plain
// picture, 2 for screens that show two pixels per unit). It is painted `factor` times larger still
// and box-filtered down, which gives the small knobs and glyphs smooth edges.
juce::Image renderSupersampled(int width, int height, int scale, int factor,
                               const std::function<void(juce::Graphics&)>& paint);

// Adds a fixed pattern of fine grain and faint horizontal brushing to the opaque parts of an image.
void addBrushedGrain(juce::Image& image, juce::Rectangle<int> area, float strength, int seed);

} // namespace halvo::artwork
