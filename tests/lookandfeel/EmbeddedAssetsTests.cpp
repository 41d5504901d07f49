#include "LookTestSupport.h"

#include "EmbeddedResourceNames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace halvo
{
namespace
{
struct ImageAsset
{
    const char* name;
    const char* data;
    int size;
    int width;
    int height;
};

std::vector<ImageAsset> imageAssets()
{
    using namespace EmbeddedResources;
    return {
        {"editorBackground_jpg", editorBackground_jpg, editorBackground_jpgSize, 623, 289},
        {"waveSine_png", waveSine_png, waveSine_pngSize, 30, 27},
        {"waveSineDown_png", waveSineDown_png, waveSineDown_pngSize, 30, 27},
        {"waveSaw_png", waveSaw_png, waveSaw_pngSize, 30, 27},
        {"waveSawDown_png", waveSawDown_png, waveSawDown_pngSize, 30, 27},
        {"waveSquare_png", waveSquare_png, waveSquare_pngSize, 30, 27},
        {"waveSquareDown_png", waveSquareDown_png, waveSquareDown_pngSize, 30, 27},
        {"aboutPanel_png", aboutPanel_png, aboutPanel_pngSize, 220, 280},
        {"Boutonalu_50x50_png", Boutonalu_50x50_png, Boutonalu_50x50_pngSize, 50, 6400},
        {"Boutonvert_40x40_png", Boutonvert_40x40_png, Boutonvert_40x40_pngSize, 40, 5120},
        {"Boutonrouge_40x40_png", Boutonrouge_40x40_png, Boutonrouge_40x40_pngSize, 40, 5120},
    };
}

juce::Image decode(const ImageAsset& asset)
{
    return juce::ImageCache::getFromMemory(asset.data, asset.size);
}

const auto* bytes(const char* data)
{
    return reinterpret_cast<const unsigned char*>(data);
}

float averageAlpha(const juce::Image& image)
{
    double sum = 0.0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            sum += image.getPixelAt(x, y).getFloatAlpha();
    return static_cast<float>(sum / (image.getWidth() * image.getHeight()));
}

float brightestIn(const juce::Image& image, juce::Rectangle<int> area)
{
    float brightest = 0.0f;
    area = area.getIntersection(image.getBounds());
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            brightest = juce::jmax(brightest, image.getPixelAt(x, y).getBrightness());
    return brightest;
}

// Spread of brightness inside an area: near zero where the picture is plain.
float brightnessSpread(const juce::Image& image, juce::Rectangle<int> area)
{
    float lowest = 1.0f, highest = 0.0f;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const float b = image.getPixelAt(x, y).getBrightness();
            lowest = juce::jmin(lowest, b);
            highest = juce::jmax(highest, b);
        }
    return highest - lowest;
}

TEST(EmbeddedAssets, EveryImageDecodesAtItsSize)
{
    for (const auto& asset : imageAssets())
    {
        SCOPED_TRACE(asset.name);
        const auto image = decode(asset);
        ASSERT_TRUE(image.isValid());
        EXPECT_EQ(image.getWidth(), asset.width);
        EXPECT_EQ(image.getHeight(), asset.height);
    }
}

TEST(EmbeddedAssets, PngsAreEightBitRgbaNotInterlaced)
{
    for (const auto& asset : imageAssets())
    {
        if (!juce::String(asset.name).endsWith("_png"))
            continue;
        SCOPED_TRACE(asset.name);
        const auto* png = bytes(asset.data);
        ASSERT_GT(asset.size, 33);
        EXPECT_EQ(std::memcmp(png + 12, "IHDR", 4), 0);
        EXPECT_EQ(png[24], 8) << "bit depth";
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
        EXPECT_EQ(png[28], 0) << "interlace";
    }
}

TEST(EmbeddedAssets, BackgroundIsABaselineThreeComponentJpeg)
{
    const auto* jpeg = bytes(EmbeddedResources::editorBackground_jpg);
    const int size = EmbeddedResources::editorBackground_jpgSize;
    ASSERT_GT(size, 4);
    EXPECT_EQ(jpeg[0], 0xff);
    EXPECT_EQ(jpeg[1], 0xd8);

    // Walk the marker segments up to the frame header.
    int at = 2;
    while (at + 9 < size && jpeg[at] == 0xff && jpeg[at + 1] != 0xc0 && jpeg[at + 1] != 0xc2)
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    ASSERT_LT(at + 9, size);
    EXPECT_EQ(jpeg[at + 1], 0xc0) << "baseline frame";
    EXPECT_EQ(jpeg[at + 9], 3) << "components";
    EXPECT_FALSE(decode(imageAssets().front()).hasAlphaChannel());
}

TEST(EmbeddedAssets, CacheReturnsTheSameDecodedImage)
{
    for (const auto& asset : imageAssets())
    {
        SCOPED_TRACE(asset.name);
        const auto first = decode(asset);
        const auto second = decode(asset);
        EXPECT_TRUE(first == second) << "shares one pixel buffer";
        EXPECT_EQ(juce::Image::BitmapData(first, juce::Image::BitmapData::readOnly).data,
                  juce::Image::BitmapData(second, juce::Image::BitmapData::readOnly).data);
    }
}

TEST(EmbeddedAssets, FilmstripsSweepInEvenStepsAndRepeatTheLastPosition)
{
    for (const auto& asset : imageAssets())
    {
        if (!juce::String(asset.name).startsWith("Bouton"))
            continue;
        SCOPED_TRACE(asset.name);
        const auto strip = decode(asset);
        ASSERT_EQ(strip.getHeight() / strip.getWidth(), 128);
        ASSERT_EQ(strip.getHeight() % strip.getWidth(), 0);

        for (int frame = 0; frame < 128; ++frame)
        {
            const auto image = test::stripFrame(strip, frame);
            EXPECT_EQ(image.getPixelAt(0, 0).getAlpha(), 0)
                << "transparent corner, frame " << frame;
            if (frame > 0 && frame < 127)
            {
                EXPECT_GT(test::maxPixelDifference(image, test::stripFrame(strip, frame - 1)), 8)
                    << "pointer moves into frame " << frame;
            }
        }
        EXPECT_EQ(
            test::maxPixelDifference(test::stripFrame(strip, 127), test::stripFrame(strip, 126)),
            0);
    }
}

TEST(EmbeddedAssets, WaveformPlatesAreTranslucentWithBrighterSelectedGlyphs)
{
    using namespace EmbeddedResources;
    const std::pair<ImageAsset, ImageAsset> pairs[] = {
        {{"waveSine", waveSine_png, waveSine_pngSize, 30, 27},
         {"waveSineDown", waveSineDown_png, waveSineDown_pngSize, 30, 27}},
        {{"waveSaw", waveSaw_png, waveSaw_pngSize, 30, 27},
         {"waveSawDown", waveSawDown_png, waveSawDown_pngSize, 30, 27}},
        {{"waveSquare", waveSquare_png, waveSquare_pngSize, 30, 27},
         {"waveSquareDown", waveSquareDown_png, waveSquareDown_pngSize, 30, 27}},
    };
    const auto brightest = [](const juce::Image& image)
    {
        float best = 0.0f;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                best = juce::jmax(best, image.getPixelAt(x, y).getBrightness() *
                                            image.getPixelAt(x, y).getFloatAlpha());
        return best;
    };
    for (const auto& [normal, down] : pairs)
    {
        SCOPED_TRACE(normal.name);
        const auto normalImage = decode(normal), downImage = decode(down);
        EXPECT_NEAR(averageAlpha(normalImage), 0.4f, 0.15f);
        EXPECT_NEAR(averageAlpha(downImage), 0.4f, 0.15f);
        EXPECT_LT(brightest(normalImage), 0.5f) << "dark grey glyph";
        EXPECT_GT(brightest(downImage), 0.9f) << "white glyph";
    }
}

TEST(EmbeddedAssets, AboutCardIsMostlyOpaqueAndPlainWhereThePanelWrites)
{
    const auto card = juce::ImageCache::getFromMemory(EmbeddedResources::aboutPanel_png,
                                                      EmbeddedResources::aboutPanel_pngSize);
    EXPECT_NEAR(averageAlpha(card), 0.85f, 0.1f);
    EXPECT_LT(brightnessSpread(card, {20, 75, 175, 24}), 0.12f) << "title";
    EXPECT_LT(brightnessSpread(card, {25, 238, 168, 22}), 0.12f) << "hyperlink";
}

TEST(EmbeddedAssets, BackgroundKeepsTheValueDisplaysAndTheScreenDark)
{
    const auto background = decode(imageAssets().front());
    // Legends are light grey: none may lie where a value label or the trace will be drawn.
    const juce::Rectangle<int> valueDisplays[] = {{28, 137, 44, 24},  {163, 137, 44, 24},
                                                  {250, 137, 44, 24}, {62, 266, 44, 24},
                                                  {191, 266, 44, 24}, {262, 266, 44, 24}};
    for (const auto& display : valueDisplays)
        EXPECT_LT(brightestIn(background, display), 0.3f) << display.toString();
    EXPECT_LT(brightestIn(background, {385, 30, 216, 258}), 0.3f) << "screen";
}

TEST(EmbeddedAssets, NamedResourcesAreTheKnobStripsAndFontsInOrder)
{
    using namespace EmbeddedResources;
    const std::array<const char*, 5> expected{"RobotoRegular_ttf", "RobotoLight_ttf",
                                              "Boutonalu_50x50_png", "Boutonrouge_40x40_png",
                                              "Boutonvert_40x40_png"};
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_STREQ(resourceNames[i], expected[i]);
        int size = 0;
        EXPECT_NE(getNamedResource(resourceNames[i], size), nullptr);
        EXPECT_GT(size, 0);
    }
    int regularSize = 0;
    EXPECT_EQ(getNamedResource("RobotoRegular_ttf", regularSize), RobotoRegular_ttf);
    EXPECT_EQ(regularSize, RobotoRegular_ttfSize);
    const auto light = juce::Typeface::createSystemTypefaceFor(
        RobotoLight_ttf, static_cast<size_t>(RobotoLight_ttfSize));
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->getStyle(), "Light");
}

} // namespace
} // namespace halvo
