#pragma once

#include "lookandfeel/ScaledArtwork.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace halvo
{

// An image button whose pictures come in sets: at 1x it is the framework's image button with the
// 1x pictures; on a screen with more device pixels it draws the same pictures from the 2x set
// into the same place.
class ScaledImageButton final : public juce::ImageButton
{
public:
    using juce::ImageButton::ImageButton;

    // The picture shown normally and under the mouse, and the one shown while pressed or on.
    void setArtwork(const ScaledArtwork& normal, const ScaledArtwork& down);

protected:
    void paintButton(juce::Graphics& g, bool shouldDrawButtonAsHighlighted,
                     bool shouldDrawButtonAsDown) override;

private:
    const ScaledArtwork* normalArtwork = nullptr;
    const ScaledArtwork* downArtwork = nullptr;
};

} // namespace halvo
