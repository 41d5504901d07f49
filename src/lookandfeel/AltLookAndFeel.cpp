#include "AltLookAndFeel.h"

#include "EmbeddedResources.h"

namespace halvo
{

AltLookAndFeel::AltLookAndFeel()
{
    setColour(juce::ComboBox::backgroundColourId, juce::Colours::black.withAlpha(0.0f));
    setColour(juce::ComboBox::buttonColourId, juce::Colour(0xff000000));
    setColour(juce::ComboBox::outlineColourId, juce::Colours::whitesmoke);
    setColour(juce::ComboBox::arrowColourId, juce::Colour(0xffffffff));
    setColour(juce::ComboBox::textColourId, juce::Colour(0xffffffff));
    setColour(juce::PopupMenu::highlightedBackgroundColourId,
              juce::Colour(accentArgb).withAlpha(0.75f));
    setColour(juce::TextEditor::focusedOutlineColourId, juce::Colour(0xf65ec5da).withAlpha(0.75f));
    setColour(juce::TextButton::buttonColourId, juce::Colour(0xffffffff));
    setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffffffff));
    setColour(juce::TextButton::textColourOnId, juce::Colour(0xffffffff));
    setColour(juce::TextButton::textColourOffId, juce::Colour(0xffffffff));
}

juce::Typeface::Ptr AltLookAndFeel::getTypefaceForFont(const juce::Font& font)
{
    // Only the default font is replaced; a font asked for by name keeps the system's face.
    if (font.getTypefaceName() == juce::Font::getDefaultSansSerifFontName())
        return juce::Typeface::createSystemTypefaceFor(
            EmbeddedResources::RobotoRegular_ttf,
            static_cast<size_t>(EmbeddedResources::RobotoRegular_ttfSize));
    return juce::LookAndFeel::getTypefaceForFont(font);
}

void AltLookAndFeel::playAlertSound() {}

juce::Font AltLookAndFeel::getTextButtonFont(juce::TextButton&, int)
{
    return juce::Font(13.0f, juce::Font::plain);
}

juce::Font AltLookAndFeel::getComboBoxFont(juce::ComboBox&)
{
    return juce::Font(14.0f, juce::Font::plain);
}

} // namespace halvo
