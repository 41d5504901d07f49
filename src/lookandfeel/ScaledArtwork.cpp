#include "ScaledArtwork.h"

#include "EmbeddedResources.h"

namespace halvo
{

namespace artwork
{
using namespace EmbeddedResources;

const ScaledArtwork editorBackground{editorBackground_jpg, editorBackground_jpgSize,
                                     editorBackground_2x_jpg, editorBackground_2x_jpgSize};
const ScaledArtwork aboutPanel{aboutPanel_png, aboutPanel_pngSize, aboutPanel_2x_png,
                               aboutPanel_2x_pngSize};
const ScaledArtwork waveSine{waveSine_png, waveSine_pngSize, waveSine_2x_png, waveSine_2x_pngSize};
const ScaledArtwork waveSineDown{waveSineDown_png, waveSineDown_pngSize, waveSineDown_2x_png,
                                 waveSineDown_2x_pngSize};
const ScaledArtwork waveSaw{waveSaw_png, waveSaw_pngSize, waveSaw_2x_png, waveSaw_2x_pngSize};
const ScaledArtwork waveSawDown{waveSawDown_png, waveSawDown_pngSize, waveSawDown_2x_png,
                                waveSawDown_2x_pngSize};
const ScaledArtwork waveSquare{waveSquare_png, waveSquare_pngSize, waveSquare_2x_png,
                               waveSquare_2x_pngSize};
const ScaledArtwork waveSquareDown{waveSquareDown_png, waveSquareDown_pngSize,
                                   waveSquareDown_2x_png, waveSquareDown_2x_pngSize};
const ScaledArtwork aluminiumKnob{Boutonalu_50x50_png, Boutonalu_50x50_pngSize,
                                  Boutonalu_50x50_2x_png, Boutonalu_50x50_2x_pngSize};
const ScaledArtwork greenKnob{Boutonvert_40x40_png, Boutonvert_40x40_pngSize,
                              Boutonvert_40x40_2x_png, Boutonvert_40x40_2x_pngSize};
const ScaledArtwork redKnob{Boutonrouge_40x40_png, Boutonrouge_40x40_pngSize,
                            Boutonrouge_40x40_2x_png, Boutonrouge_40x40_2x_pngSize};
} // namespace artwork

float deviceScaleOf(const juce::Graphics& g)
{
    return g.getInternalContext().getPhysicalPixelScaleFactor();
}

int artworkSetFor(float deviceScale) noexcept
{
    // A hair above 1 still counts as 1: a scale computed from sizes is rarely exact.
    return deviceScale > 1.01f ? 2 : 1;
}

juce::Image artworkImage(const ScaledArtwork& art, int set)
{
    return set == 1 ? juce::ImageCache::getFromMemory(art.data1x, art.size1x)
                    : juce::ImageCache::getFromMemory(art.data2x, art.size2x);
}

void drawArtwork(juce::Graphics& g, const ScaledArtwork& art, juce::Rectangle<int> destination,
                 juce::Rectangle<int> source)
{
    const int set = artworkSetFor(deviceScaleOf(g));
    const auto pixels = source * set;
    g.drawImage(artworkImage(art, set), destination.getX(), destination.getY(),
                destination.getWidth(), destination.getHeight(), pixels.getX(), pixels.getY(),
                pixels.getWidth(), pixels.getHeight(), false);
}

} // namespace halvo
