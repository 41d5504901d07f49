#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
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

    // Takes the latest count and repaints only if the trace would look different from the one
    // last asked for, so a window at rest draws nothing. Returns whether it asked for a repaint.
    bool refresh(int numValidSamples);

    void paint(juce::Graphics& g) override;

private:
    static constexpr std::size_t maxTraceSamples = 512;

    float sampleForPixel(float x, int width, int validSamples) const noexcept;
    int validSampleCount() const noexcept;

    ScopeSamples buffer;
    int numSamples;
    // The samples behind the last repaint, as trace heights in fractions of a pixel.
    std::array<int, maxTraceSamples> shownTrace{};
    int shownCount = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Oscillo)
};

} // namespace halvo
