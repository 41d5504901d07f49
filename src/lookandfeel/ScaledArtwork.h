#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace halvo
{

// A compiled-in picture painted twice: at its size in the window (1x) and at twice that (2x).
struct ScaledArtwork
{
    const char* data1x;
    int size1x;
    const char* data2x;
    int size2x;
};

namespace artwork
{
extern const ScaledArtwork editorBackground;
extern const ScaledArtwork aboutPanel;
extern const ScaledArtwork waveSine;
extern const ScaledArtwork waveSineDown;
extern const ScaledArtwork waveSaw;
extern const ScaledArtwork waveSawDown;
extern const ScaledArtwork waveSquare;
extern const ScaledArtwork waveSquareDown;
extern const ScaledArtwork aluminiumKnob;
extern const ScaledArtwork greenKnob;
extern const ScaledArtwork redKnob;
} // namespace artwork

// Device pixels per window pixel where g draws: the screen's scale times any the host applies.
float deviceScaleOf(const juce::Graphics& g);

// The set that suits a device scale: the 1x pictures at 1x (and below), so the window there is
// exactly as painted; the 2x pictures above, drawn 1:1 at 2x and scaled down in between.
int artworkSetFor(float deviceScale) noexcept;

// The picture of one set, decoded once through the framework's image cache.
juce::Image artworkImage(const ScaledArtwork& art, int set);

// Draws the part `source` of the picture (in window pixels) into `destination`, from the set that
// suits g.
void drawArtwork(juce::Graphics& g, const ScaledArtwork& art, juce::Rectangle<int> destination,
                 juce::Rectangle<int> source);

} // namespace halvo
