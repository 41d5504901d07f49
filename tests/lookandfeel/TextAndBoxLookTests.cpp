#include "LookTestSupport.h"

#include "EmbeddedResources.h"
#include "lookandfeel/AltLookAndFeel.h"

#include <gtest/gtest.h>

#include <limits>

namespace halvo
{
namespace
{
juce::Image drawText(const juce::Font& font)
{
    return test::paintInto(160, 30,
                           [&](juce::Graphics& g)
                           {
                               g.setColour(juce::Colours::white);
                               g.setFont(font);
                               g.drawText("Halvo 0.10 s", 0, 0, 160, 30,
                                          juce::Justification::centredLeft, false);
                           });
}

// Installs the look as the process default the way the editor does, and takes it away again.
class DefaultLook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel(&look);
        juce::Typeface::clearTypefaceCache();
    }
    void TearDown() override
    {
        juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
        juce::Typeface::clearTypefaceCache();
    }
    AltLookAndFeel look;
};

TEST_F(DefaultLook, DefaultFontTextIsDrawnWithTheEmbeddedRoboto)
{
    const auto embedded = juce::Typeface::createSystemTypefaceFor(
        EmbeddedResources::RobotoRegular_ttf,
        static_cast<size_t>(EmbeddedResources::RobotoRegular_ttfSize));
    const auto typeface = look.getTypefaceForFont(juce::Font(13.0f));
    ASSERT_NE(typeface, nullptr);
    EXPECT_EQ(typeface->getName(), "Roboto");
    EXPECT_EQ(typeface->getStyle(), "Regular");

    const auto viaDefault = drawText(juce::Font(15.0f));
    EXPECT_EQ(
        test::maxPixelDifference(viaDefault, drawText(juce::Font(embedded).withHeight(15.0f))), 0);
    EXPECT_FALSE(test::isFullyTransparent(viaDefault));
}

TEST_F(DefaultLook, NamedFontsKeepTheSystemFace)
{
    const juce::Font named("DejaVu Sans", 15.0f, juce::Font::plain);
    if (!juce::Font::findAllTypefaceNames().contains("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";

    const auto typeface = look.getTypefaceForFont(named);
    ASSERT_NE(typeface, nullptr);
    EXPECT_EQ(typeface->getName(), "DejaVu Sans");
    EXPECT_GT(test::maxPixelDifference(drawText(named), drawText(juce::Font(15.0f))), 0);
}

TEST(ComboBoxLook, FontIsFourteenInTheDefaultFace)
{
    AltLookAndFeel look;
    juce::ComboBox box;
    const auto font = look.getComboBoxFont(box);
    EXPECT_FLOAT_EQ(font.getHeight(), 14.0f);
    EXPECT_EQ(font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ(font.getStyleFlags(), juce::Font::plain);
}

TEST(ComboBoxLook, OutlineAndArrowsIgnoreTheBoxState)
{
    AltLookAndFeel look;
    juce::ComboBox box;
    box.setLookAndFeel(&look);
    box.setBounds(0, 0, 100, 24);
    const auto draw = [&](bool buttonDown)
    {
        return test::paintInto(100, 24,
                               [&](juce::Graphics& g)
                               { look.drawComboBox(g, 100, 24, buttonDown, 76, 0, 24, 24, box); });
    };

    const auto normal = draw(false);
    EXPECT_EQ(normal.getPixelAt(0, 0), juce::Colours::whitesmoke);
    EXPECT_EQ(normal.getPixelAt(99, 23), juce::Colours::whitesmoke);
    EXPECT_EQ(normal.getPixelAt(40, 12).getAlpha(), 0) << "transparent background";
    // Arrow interiors: white at 70 % alpha; the gap between them stays empty.
    const auto upArrow = normal.getPixelAt(88, 9);
    const auto downArrow = normal.getPixelAt(88, 15);
    EXPECT_NEAR(upArrow.getFloatAlpha(), 0.7f, 0.01f);
    EXPECT_GE(upArrow.getRed(), 250);
    EXPECT_NEAR(downArrow.getFloatAlpha(), 0.7f, 0.01f);
    EXPECT_EQ(normal.getPixelAt(88, 12).getAlpha(), 0);

    EXPECT_EQ(test::maxPixelDifference(draw(true), normal), 0);
    box.setEnabled(false);
    EXPECT_EQ(test::maxPixelDifference(draw(false), normal), 0);
    box.setLookAndFeel(nullptr);
}

TEST(LinearSliderLook, BarFillsUpToThePositionInTheThumbColour)
{
    AltLookAndFeel look;
    juce::Slider slider(juce::Slider::LinearBar, juce::Slider::NoTextBox);
    slider.setColour(juce::Slider::backgroundColourId, juce::Colours::transparentBlack);
    slider.setColour(juce::Slider::thumbColourId, juce::Colours::red);
    const auto drawBar = [&](float position)
    {
        return test::paintInto(100, 20,
                               [&](juce::Graphics& g)
                               {
                                   look.drawLinearSlider(g, 0, 0, 100, 20, position, 0.0f, 100.0f,
                                                         juce::Slider::LinearBar, slider);
                               });
    };
    const auto image = drawBar(60.7f);
    // (int) 60.7 = 60 pixels wide, outlined by the half-transparent text colour.
    EXPECT_EQ(image.getPixelAt(30, 10), juce::Colours::red);
    EXPECT_EQ(image.getPixelAt(58, 10), juce::Colours::red);
    EXPECT_NE(image.getPixelAt(59, 10), juce::Colours::red);
    EXPECT_EQ(image.getPixelAt(60, 10).getAlpha(), 0);

    // A position that is not a number draws no bar instead of reaching an int conversion.
    EXPECT_EQ(drawBar(std::numeric_limits<float>::quiet_NaN()).getPixelAt(30, 10).getAlpha(), 0);
}

TEST(LinearSliderLook, LearningSliderUnderTheMouseGetsARedPointer)
{
    AltLookAndFeel look;
    juce::Slider slider(juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    slider.setBounds(0, 0, 100, 40);
    slider.setColour(juce::Slider::backgroundColourId, juce::Colours::transparentBlack);
    slider.setColour(juce::Slider::thumbColourId, juce::Colours::white);
    slider.getProperties().set("midiLearnOn", true);
    const auto pointerAt = [&]
    {
        return test::paintInto(100, 40,
                               [&](juce::Graphics& g)
                               {
                                   look.drawLinearSlider(g, 0, 0, 100, 40, 50.0f, 0.0f, 100.0f,
                                                         juce::Slider::LinearHorizontal, slider);
                               })
            .getPixelAt(50, 20);
    };

    const auto resting = pointerAt();
    EXPECT_GE(resting.getRed(), 250);
    EXPECT_GE(resting.getGreen(), 250);
    EXPECT_NEAR(resting.getFloatAlpha(), 0.7f, 0.02f);

    test::HoverStage stage(slider);
    stage.moveMouseTo({50.0f, 20.0f});
    const auto learning = pointerAt();
    EXPECT_GE(learning.getRed(), 250);
    EXPECT_EQ(learning.getGreen(), 0);
    EXPECT_NEAR(learning.getFloatAlpha(), 0.9f, 0.02f);
}

} // namespace
} // namespace halvo
