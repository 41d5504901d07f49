#include "LookTestSupport.h"

#include "EmbeddedResources.h"
#include "lookandfeel/AltLookAndFeelVariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace halvo
{
namespace
{
using test::maxPixelDifference;
using test::paintInto;
using test::stripFrame;

struct KnobLook
{
    const char* name;
    std::function<std::unique_ptr<AltLookAndFeel>()> make;
    const char* strip;
    int stripSize;
    int frameSize;
};

std::vector<KnobLook> knobLooks()
{
    using namespace EmbeddedResources;
    return {
        {"aluminium", [] { return std::make_unique<AltLookAndFeel>(); }, Boutonalu_50x50_png,
         Boutonalu_50x50_pngSize, 50},
        {"white", [] { return std::make_unique<AltLookAndFeel_WhiteButton>(); },
         Boutonalu_50x50_png, Boutonalu_50x50_pngSize, 50},
        {"green", [] { return std::make_unique<AltLookAndFeel_greenButton>(); },
         Boutonvert_40x40_png, Boutonvert_40x40_pngSize, 40},
        {"red", [] { return std::make_unique<AltLookAndFeel_redButton>(); }, Boutonrouge_40x40_png,
         Boutonrouge_40x40_pngSize, 40},
    };
}

juce::Image drawKnob(AltLookAndFeel& look, juce::Slider& slider, int size, float position,
                     int x = 0, int y = 0)
{
    return paintInto(size, size,
                     [&](juce::Graphics& g)
                     { look.drawRotarySlider(g, x, y, size, size, position, 0.0f, 1.0f, slider); });
}

// The frame a position shows; -1 if it matches no frame of the strip.
int shownFrame(const juce::Image& drawn, const juce::Image& strip)
{
    for (int frame = 0; frame < strip.getHeight() / strip.getWidth(); ++frame)
        if (maxPixelDifference(drawn, stripFrame(strip, frame)) == 0)
            return frame;
    return -1;
}

TEST(KnobLook, PositionsPickFramesZeroToHundredTwentySixByFloor)
{
    for (const auto& knob : knobLooks())
    {
        SCOPED_TRACE(knob.name);
        auto look = knob.make();
        juce::Slider slider;
        const auto strip = juce::ImageCache::getFromMemory(knob.strip, knob.stripSize);
        const auto frameAt = [&](float position)
        { return shownFrame(drawKnob(*look, slider, knob.frameSize, position), strip); };

        EXPECT_EQ(frameAt(0.0f), 0);
        EXPECT_EQ(frameAt(1.0f / 126.0f - 1.0e-4f), 0);
        EXPECT_EQ(frameAt(0.5f), 63);
        EXPECT_EQ(frameAt(63.9f / 126.0f), 63);
        // 126 steps, not 127: 0.996 is frame 125.5 of 126 but 126.5 of 127.
        EXPECT_EQ(frameAt(0.996f), 125);
        EXPECT_EQ(frameAt(1.0f), 126);
    }
}

TEST(KnobLook, BrokenPositionsStayOnTheStrip)
{
    AltLookAndFeel look;
    juce::Slider slider;
    const auto strip = juce::ImageCache::getFromMemory(EmbeddedResources::Boutonalu_50x50_png,
                                                       EmbeddedResources::Boutonalu_50x50_pngSize);
    EXPECT_EQ(
        shownFrame(drawKnob(look, slider, 50, std::numeric_limits<float>::quiet_NaN()), strip), 0);
    EXPECT_EQ(shownFrame(drawKnob(look, slider, 50, -3.0f), strip), 0);
    EXPECT_EQ(shownFrame(drawKnob(look, slider, 50, 7.0f), strip), 126);
    EXPECT_EQ(shownFrame(drawKnob(look, slider, 50, std::numeric_limits<float>::infinity()), strip),
              0);
}

TEST(KnobLook, FrameIsAnchoredAtTheOriginAndScaledToTheComponent)
{
    AltLookAndFeel_greenButton look;
    juce::Slider slider;
    const auto atOrigin = drawKnob(look, slider, 40, 0.25f);
    EXPECT_EQ(maxPixelDifference(drawKnob(look, slider, 40, 0.25f, 13, 7), atOrigin), 0);

    const auto large = drawKnob(look, slider, 80, 0.25f);
    const auto frame = atOrigin.rescaled(80, 80, juce::Graphics::mediumResamplingQuality);
    // The frame fills the whole larger component (resampling differs only slightly).
    EXPECT_LT(maxPixelDifference(large, frame), 40);
    EXPECT_GT(large.getPixelAt(40, 40).getAlpha(), 200);
}

TEST(KnobLook, SliderPaintShowsTheFrameOfItsValue)
{
    AltLookAndFeel look;
    juce::Slider slider(juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel(&look);
    slider.setBounds(0, 0, 50, 50);
    slider.setRange(0.0, 6.0, 1.0);
    slider.setValue(3.0);
    const auto strip = juce::ImageCache::getFromMemory(EmbeddedResources::Boutonalu_50x50_png,
                                                       EmbeddedResources::Boutonalu_50x50_pngSize);
    const auto snapshot = slider.createComponentSnapshot(slider.getLocalBounds(), true, 1.0f)
                              .convertedToFormat(juce::Image::ARGB);
    EXPECT_EQ(shownFrame(snapshot, strip), 63);
    slider.setLookAndFeel(nullptr);
}

TEST(KnobLook, RepaintsUseTheCachedStrip)
{
    AltLookAndFeel_redButton look;
    juce::Slider slider;
    const auto key = static_cast<juce::int64>(
        reinterpret_cast<juce::pointer_sized_int>(EmbeddedResources::Boutonrouge_40x40_png));
    drawKnob(look, slider, 40, 0.5f);
    const auto cached = juce::ImageCache::getFromHashCode(key);
    ASSERT_TRUE(cached.isValid());
    drawKnob(look, slider, 40, 0.7f);
    EXPECT_TRUE(juce::ImageCache::getFromHashCode(key) == cached);
}

// A knob held on a desktop stage so the mouse can hover it.
class LearnHighlight : public ::testing::Test
{
protected:
    juce::Image paintKnob(AltLookAndFeel& look)
    {
        slider.setLookAndFeel(&look);
        auto image = slider.createComponentSnapshot(slider.getLocalBounds(), true, 1.0f)
                         .convertedToFormat(juce::Image::ARGB);
        slider.setLookAndFeel(nullptr);
        return image;
    }

    static bool isAccent(juce::Colour c)
    {
        return c.getAlpha() > 200 && std::abs(c.getRed() - 0x1f) < 12 &&
               std::abs(c.getGreen() - 0x89) < 12 && std::abs(c.getBlue() - 0xd4) < 12;
    }

    static bool hasBrackets(const juce::Image& image)
    {
        const int w = image.getWidth(), h = image.getHeight();
        return isAccent(image.getPixelAt(1, 1)) && isAccent(image.getPixelAt(w - 2, 1)) &&
               isAccent(image.getPixelAt(1, h - 2)) && isAccent(image.getPixelAt(w - 2, h - 2)) &&
               isAccent(image.getPixelAt(1, 4)) && isAccent(image.getPixelAt(4, 1));
    }

    void setLearn(const juce::var& value) { slider.getProperties().set("midiLearnOn", value); }

    juce::Slider slider{juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox};
    std::unique_ptr<test::HoverStage> stage;

    void SetUp() override
    {
        slider.setBounds(0, 0, 50, 50);
        stage = std::make_unique<test::HoverStage>(slider);
    }
    void TearDown() override { stage.reset(); }
};

TEST_F(LearnHighlight, ShowsOnlyWhenHoveredEnabledAndLearning)
{
    AltLookAndFeel look;
    setLearn(true);
    EXPECT_FALSE(hasBrackets(paintKnob(look))) << "mouse elsewhere";

    stage->moveMouseTo({25.0f, 25.0f});
    ASSERT_TRUE(slider.isMouseOverOrDragging());
    EXPECT_TRUE(hasBrackets(paintKnob(look)));

    slider.setEnabled(false);
    EXPECT_FALSE(hasBrackets(paintKnob(look))) << "disabled";
    slider.setEnabled(true);

    setLearn(false);
    EXPECT_FALSE(hasBrackets(paintKnob(look))) << "learn off";
    slider.getProperties().remove("midiLearnOn");
    EXPECT_FALSE(hasBrackets(paintKnob(look))) << "property missing";

    setLearn(true);
    stage->moveMouseAway();
    EXPECT_FALSE(hasBrackets(paintKnob(look))) << "mouse gone";
}

TEST_F(LearnHighlight, EveryKnobVariantDrawsTheSameBracketsOverItsFrame)
{
    setLearn(true);
    stage->moveMouseTo({25.0f, 25.0f});
    for (const auto& knob : knobLooks())
    {
        SCOPED_TRACE(knob.name);
        auto look = knob.make();
        const auto image = paintKnob(*look);
        EXPECT_TRUE(hasBrackets(image));
        // Brackets are corners only: the middle of each edge keeps the knob's frame.
        EXPECT_FALSE(isAccent(image.getPixelAt(25, 0)));
        EXPECT_FALSE(isAccent(image.getPixelAt(0, 25)));
    }
}

TEST_F(LearnHighlight, TransparentKnobIsInvisibleExceptForTheBrackets)
{
    AltLookAndFeel_transparentButton look;
    setLearn(true);
    EXPECT_TRUE(test::isFullyTransparent(paintKnob(look)));

    stage->moveMouseTo({25.0f, 25.0f});
    const auto image = paintKnob(look);
    EXPECT_TRUE(hasBrackets(image));
    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const bool nearCorner = juce::jmin(x, 49 - x) < 9 && juce::jmin(y, 49 - y) < 9;
            if (!nearCorner)
            {
                ASSERT_EQ(image.getPixelAt(x, y).getAlpha(), 0) << x << ", " << y;
            }
        }
    }
}

} // namespace
} // namespace halvo
