#pragma once

#include "lookandfeel/AltLookAndFeelVariants.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace halvo
{

// The about card: picture, product title and the maker's site. A click anywhere on it but the
// link hides it again.
class WelcomeGUI final : public juce::Component, public juce::Button::Listener
{
public:
    static constexpr int panelWidth = 623;
    static constexpr int panelHeight = 289;

    WelcomeGUI();

    void paint(juce::Graphics& g) override;
    void resized() override;
    void buttonClicked(juce::Button* button) override;

private:
    AltLookAndFeel_transparentButton transparentLookAndFeel;
    juce::Label labelTitle{"labelTitle"};
    // Spans the whole panel above the title, so a click anywhere but on the link closes the card.
    juce::TextButton closeButton{"closeButton"};
    juce::HyperlinkButton hyperlinkButton;
    juce::Image aboutImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(WelcomeGUI)
};

} // namespace halvo
