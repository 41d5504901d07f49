#include "editor/ScaledImageButton.h"

namespace halvo
{

void ScaledImageButton::setArtwork(const ScaledArtwork& normal, const ScaledArtwork& down)
{
    normalArtwork = &normal;
    downArtwork = &down;
    const auto normal1x = artworkImage(normal, 1);
    const auto down1x = artworkImage(down, 1);
    setImages(false, true, true, normal1x, 1.0f, juce::Colours::transparentBlack, normal1x, 1.0f,
              juce::Colours::transparentBlack, down1x, 1.0f, juce::Colours::transparentBlack, 0.0f);
}

void ScaledImageButton::paintButton(juce::Graphics& g, bool shouldDrawButtonAsHighlighted,
                                    bool shouldDrawButtonAsDown)
{
    const int set = artworkSetFor(deviceScaleOf(g));
    if (set == 1 || normalArtwork == nullptr || downArtwork == nullptr)
    {
        juce::ImageButton::paintButton(g, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);
        return;
    }

    // As the framework's button does: the down picture while pressed or on, fitted into the
    // button with its proportions kept; both sets have the same proportions.
    const bool down = (isEnabled() && shouldDrawButtonAsDown) || getToggleState();
    auto image = artworkImage(down ? *downArtwork : *normalArtwork, set);
    const auto place = juce::RectanglePlacement(juce::RectanglePlacement::centred)
                           .appliedTo(image.getBounds().toFloat(), getLocalBounds().toFloat())
                           .toNearestInt();
    getLookAndFeel().drawImageButton(g, &image, place.getX(), place.getY(), place.getWidth(),
                                     place.getHeight(), juce::Colours::transparentBlack, 1.0f,
                                     *this);
}

} // namespace halvo
