#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace halvo::test
{

// Paints into a fresh transparent ARGB image of the given size.
juce::Image paintInto(int width, int height, const std::function<void(juce::Graphics&)>& paint);

// Frame `index` of a vertical filmstrip of square frames.
juce::Image stripFrame(const juce::Image& strip, int index);

// Largest difference of any channel of any pixel; images of different sizes count as 255.
int maxPixelDifference(const juce::Image& a, const juce::Image& b);

bool isFullyTransparent(const juce::Image& image);

// Holds a component under a window-less desktop peer so that a simulated mouse can hover it,
// which is what isMouseOverOrDragging() asks the desktop's mouse sources about.
class HoverStage
{
public:
    explicit HoverStage(juce::Component& content);
    ~HoverStage();

    void moveMouseTo(juce::Point<float> position);
    void moveMouseAway();

private:
    class Host;
    std::unique_ptr<Host> host;
};

} // namespace halvo::test
