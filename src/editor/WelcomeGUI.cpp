#include "editor/WelcomeGUI.h"

#include "EmbeddedResources.h"
#include "HalvoIdentity.h"
#include "lookandfeel/ScaledArtwork.h"

namespace halvo
{

namespace
{
juce::String aboutTitle()
{
    return juce::String(identity::productName).toUpperCase() + " v" + identity::versionString;
}

juce::String websiteWithoutScheme()
{
    return juce::String(identity::website).fromFirstOccurrenceOf("://", false, false);
}
} // namespace

WelcomeGUI::WelcomeGUI()
{
    addAndMakeVisible(labelTitle);
    labelTitle.setText(juce::translate(aboutTitle()), juce::dontSendNotification);
    labelTitle.setFont(juce::Font(22.0f, juce::Font::plain));
    labelTitle.setJustificationType(juce::Justification::centred);
    labelTitle.setEditable(false, false, false);
    labelTitle.setColour(juce::Label::textColourId, juce::Colour(0xfffcfcfc));

    addAndMakeVisible(closeButton);
    closeButton.setButtonText({});
    closeButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight |
                                  juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom);
    closeButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0x00ffffff));
    closeButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0x00ffffff));
    closeButton.addListener(this);

    addAndMakeVisible(hyperlinkButton);
    hyperlinkButton.setButtonText(juce::translate(websiteWithoutScheme()));
    hyperlinkButton.setURL(juce::URL(identity::website));
    hyperlinkButton.setTooltip(juce::translate(identity::website));
    hyperlinkButton.setColour(juce::HyperlinkButton::textColourId, juce::Colour(0xffe10035));

    aboutImage = juce::ImageCache::getFromMemory(EmbeddedResources::aboutPanel_png,
                                                 EmbeddedResources::aboutPanel_pngSize);

    setSize(panelWidth, panelHeight);
    closeButton.setLookAndFeel(&transparentLookAndFeel);
    hyperlinkButton.setFont(juce::Font(14.0f, juce::Font::plain), true,
                            juce::Justification::horizontallyCentred);
}

void WelcomeGUI::paint(juce::Graphics& g)
{
    // The card is drawn at 80 % opacity over the window; the panel has no background of its own.
    g.setColour(juce::Colours::black.withAlpha(0.8f));
    drawArtwork(g, artwork::aboutPanel, {210, 17, 220, 280},
                {0, 0, aboutImage.getWidth(), aboutImage.getHeight()});
}

void WelcomeGUI::resized()
{
    labelTitle.setBounds(230, 92, 175, 24);
    closeButton.setBounds(0, 0, panelWidth, panelHeight);
    hyperlinkButton.setBounds(235, 255, 168, 22);
}

void WelcomeGUI::buttonClicked(juce::Button* button)
{
    if (button == &closeButton)
        setVisible(false);
}

} // namespace halvo
