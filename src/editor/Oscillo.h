#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <span>

namespace halvo
{

// The live trace of the start of the latest output block, drawn over the screen that the window's
// background provides. Reads the processor's scope samples as they are, with no copy or lock.
class Oscillo final : public juce::Component
{
public:
    using ScopeSamples = std::span<const std::atomic<float>>;

    Oscillo(ScopeSamples samples, int numValidSamples);

    // How many of the samples are valid; the window sets it before each repaint.
    void setNumSamples(int numValidSamples) noexcept;
    int getNumSamples() const noexcept;

    void paint(juce::Graphics& g) override;

private:
    float sampleForPixel(float x, int width, int validSamples) const noexcept;

    ScopeSamples buffer;
    int numSamples;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Oscillo)
};

} // namespace halvo
