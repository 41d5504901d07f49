#include "LookTestSupport.h"

#include "lookandfeel/AltLookAndFeelVariants.h"

#include <gtest/gtest.h>

namespace halvo
{
namespace
{
const juce::Colour accent(0xff1f89d4);

struct ButtonState
{
    bool over = false;
    bool down = false;
};

juce::Image drawBackground(AltLookAndFeel& look, juce::TextButton& button, juce::Colour colour,
                           ButtonState state)
{
    return test::paintInto(button.getWidth(), button.getHeight(),
                           [&](juce::Graphics& g) {
                               look.drawButtonBackground(g, button, colour, state.over, state.down);
                           });
}

// Outline thickness in pixels along the middle of the left edge, and its colour.
int outlineThickness(const juce::Image& image, juce::Colour expected)
{
    const int y = image.getHeight() / 2;
    int thickness = 0;
    while (thickness < image.getWidth() && image.getPixelAt(thickness, y) == expected)
        ++thickness;
    return thickness;
}

class ButtonLook : public ::testing::Test
{
protected:
    void SetUp() override { button.setBounds(0, 0, 69, 30); }
    juce::TextButton button{"MIDI Learn"};
};

TEST_F(ButtonLook, StandardOutlineIsTwoPixelsBlackWhenOffAndAccentWhenOn)
{
    AltLookAndFeel look;
    const auto off = drawBackground(look, button, juce::Colours::black, {});
    EXPECT_EQ(outlineThickness(off, juce::Colours::black), 2);
    EXPECT_EQ(off.getPixelAt(0, 0), juce::Colours::black);
    EXPECT_EQ(off.getPixelAt(68, 29), juce::Colours::black);

    button.setToggleState(true, juce::dontSendNotification);
    const auto on = drawBackground(look, button, juce::Colours::black, {});
    EXPECT_EQ(outlineThickness(on, accent), 2);
    EXPECT_EQ(on.getPixelAt(34, 29), accent);
}

TEST_F(ButtonLook, WhitesmokeFormHasAOnePixelOutlineWhenOff)
{
    AltLookAndFeel_WhiteButton look;
    const auto off = drawBackground(look, button, juce::Colours::black, {});
    EXPECT_EQ(outlineThickness(off, juce::Colours::whitesmoke), 1);
    EXPECT_EQ(off.getPixelAt(1, 15).getAlpha(), 0);

    button.setToggleState(true, juce::dontSendNotification);
    EXPECT_EQ(outlineThickness(drawBackground(look, button, juce::Colours::black, {}), accent), 2);
}

TEST_F(ButtonLook, ShapeAppearsUnderTheMouseAndDeepensWhenPressed)
{
    std::vector<std::unique_ptr<AltLookAndFeel>> looks;
    looks.push_back(std::make_unique<AltLookAndFeel>());
    looks.push_back(std::make_unique<AltLookAndFeel_WhiteButton>());
    for (const auto& look : looks)
    {
        const auto colour = juce::Colour(0xff303030);
        EXPECT_EQ(drawBackground(*look, button, colour, {}).getPixelAt(34, 15).getAlpha(), 0)
            << "no fill at rest";

        const auto over = drawBackground(*look, button, colour, {true, false}).getPixelAt(34, 15);
        const auto down = drawBackground(*look, button, colour, {false, true}).getPixelAt(34, 15);
        EXPECT_GT(over.getAlpha(), 200);
        // A dark colour contrasts towards white: pressing moves further than hovering.
        EXPECT_GT(down.getBrightness(), over.getBrightness() + 0.05f);
    }
}

TEST_F(ButtonLook, TransparentBackgroundShowsFaintlyOnlyWhileHoveredOrPressed)
{
    AltLookAndFeel look;
    const auto clear = juce::Colour(0x00bbbbff);
    EXPECT_EQ(drawBackground(look, button, clear, {}).getPixelAt(34, 15).getAlpha(), 0);
    const auto over = drawBackground(look, button, clear, {true, false}).getPixelAt(34, 15);
    const auto down = drawBackground(look, button, clear, {false, true}).getPixelAt(34, 15);
    EXPECT_NEAR(over.getFloatAlpha(), 0.1f, 0.03f);
    EXPECT_NEAR(down.getFloatAlpha(), 0.2f, 0.03f);
}

TEST_F(ButtonLook, KeyboardFocusRaisesTheSaturation)
{
    AltLookAndFeel look;
    const auto colour = juce::Colour::fromHSV(0.6f, 0.5f, 0.8f, 1.0f);
    const auto unfocused = drawBackground(look, button, colour, {true, false}).getPixelAt(34, 15);

    test::HoverStage stage(button);
    button.setWantsKeyboardFocus(true);
    button.grabKeyboardFocus();
    ASSERT_TRUE(button.hasKeyboardFocus(true));
    const auto focused = drawBackground(look, button, colour, {true, false}).getPixelAt(34, 15);
    // 1.3 instead of 0.9 times the saturation, softened by the hover contrast.
    EXPECT_GT(focused.getSaturation(), unfocused.getSaturation() + 0.07f);
}

TEST_F(ButtonLook, DisabledButtonsFillMoreFaintly)
{
    AltLookAndFeel look;
    const auto colour = juce::Colour(0xff2060a0);
    const auto enabled = drawBackground(look, button, colour, {true, false}).getPixelAt(34, 15);
    button.setEnabled(false);
    const auto disabled = drawBackground(look, button, colour, {true, false}).getPixelAt(34, 15);
    EXPECT_LT(disabled.getAlpha(), enabled.getAlpha());
}

TEST_F(ButtonLook, TransparentFormDrawsNothingInAnyState)
{
    AltLookAndFeel_transparentButton look;
    for (const bool on : {false, true})
    {
        button.setToggleState(on, juce::dontSendNotification);
        for (const ButtonState state :
             {ButtonState{}, ButtonState{true, false}, ButtonState{false, true}})
            EXPECT_TRUE(test::isFullyTransparent(
                drawBackground(look, button, juce::Colours::white, state)));
    }

    // The about panel's close button: empty text, drawn through the framework's own paint.
    juce::TextButton close;
    close.setBounds(0, 0, 120, 80);
    close.setLookAndFeel(&look);
    EXPECT_TRUE(test::isFullyTransparent(close.createComponentSnapshot(close.getLocalBounds())
                                             .convertedToFormat(juce::Image::ARGB)));
    close.setLookAndFeel(nullptr);
}

TEST_F(ButtonLook, TextFontIsThirteenWhateverTheHeight)
{
    AltLookAndFeel look;
    for (const int height : {1, 30, 200})
    {
        const auto font = look.getTextButtonFont(button, height);
        EXPECT_FLOAT_EQ(font.getHeight(), 13.0f);
        EXPECT_EQ(font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
        EXPECT_EQ(font.getStyleFlags(), juce::Font::plain);
    }
}

} // namespace
} // namespace halvo
