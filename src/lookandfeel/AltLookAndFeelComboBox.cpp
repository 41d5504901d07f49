#include "AltLookAndFeel.h"

namespace halvo
{

void AltLookAndFeel::drawComboBox(juce::Graphics& g, int width, int height, bool, int buttonX,
                                  int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    g.fillAll(box.findColour(juce::ComboBox::backgroundColourId));
    g.setColour(box.findColour(juce::ComboBox::outlineColourId));
    g.drawRect(juce::Rectangle<int>(0, 0, width, height).toFloat(), 1.0f);

    const auto bx = static_cast<float>(buttonX), by = static_cast<float>(buttonY);
    const auto bw = static_cast<float>(buttonW), bh = static_cast<float>(buttonH);
    juce::Path arrows;
    arrows.addTriangle(bx + bw * 0.5f, by + bh * (0.45f - 0.2f), bx + bw * 0.7f, by + bh * 0.45f,
                       bx + bw * 0.3f, by + bh * 0.45f);
    arrows.addTriangle(bx + bw * 0.5f, by + bh * 0.75f, bx + bw * 0.7f, by + bh * 0.55f,
                       bx + bw * 0.3f, by + bh * 0.55f);

    // The same arrows whatever the box's state.
    g.setColour(box.findColour(juce::ComboBox::arrowColourId).withMultipliedAlpha(0.7f));
    g.fillPath(arrows);
}

} // namespace halvo
