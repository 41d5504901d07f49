#include "editor/Oscillo.h"

#include <algorithm>
#include <cmath>

namespace halvo
{

namespace
{
// The trace fades in from the middle line over this many pixels at each edge.
constexpr float fadeWidth = 40.0f;
constexpr juce::uint32 traceArgb = 0xfff5f5f5;
// Trace heights are compared in 1/64 of a pixel, finer than any screen shows, so a tail fading
// below that stops repainting.
constexpr float traceSteps = 64.0f;
// Samples beyond this lie far outside the screen; clamping keeps their height in range.
constexpr float farOutside = 4.0f;
} // namespace

Oscillo::Oscillo(ScopeSamples samples, int numValidSamples)
    : buffer(samples), numSamples(numValidSamples)
{
    setName("oscillo");
}

void Oscillo::setNumSamples(int numValidSamples) noexcept
{
    numSamples = numValidSamples;
}

int Oscillo::getNumSamples() const noexcept
{
    return numSamples;
}

int Oscillo::validSampleCount() const noexcept
{
    const auto available = std::min(buffer.size(), maxTraceSamples);
    return std::clamp(numSamples, 0, static_cast<int>(available));
}

bool Oscillo::refresh(int numValidSamples)
{
    numSamples = numValidSamples;
    const int count = validSampleCount();
    const float pixelsPerUnit = static_cast<float>(getHeight()) * traceSteps;

    bool changed = count != shownCount;
    for (int i = 0; i < count; ++i)
    {
        const float sample = buffer[static_cast<std::size_t>(i)].load(std::memory_order_relaxed);
        const float drawn =
            std::isfinite(sample) ? std::clamp(sample, -farOutside, farOutside) : 0.0f;
        const int height = static_cast<int>(std::lround(drawn * pixelsPerUnit));
        auto& shown = shownTrace[static_cast<std::size_t>(i)];
        changed = changed || height != shown;
        shown = height;
    }
    shownCount = count;

    if (changed)
        repaint();
    return changed;
}

float Oscillo::sampleForPixel(float x, int width, int validSamples) const noexcept
{
    const float position = static_cast<float>(validSamples - 1) * x / static_cast<float>(width);
    const int index = std::clamp(static_cast<int>(std::floor(static_cast<double>(position))), 0,
                                 validSamples - 1);
    const float sample = buffer[static_cast<std::size_t>(index)].load(std::memory_order_relaxed);
    return std::isfinite(sample) ? sample : 0.0f;
}

void Oscillo::paint(juce::Graphics& g)
{
    if (buffer.data() == nullptr)
        return;

    const int width = getWidth();
    const int height = getHeight();
    const float mid = static_cast<float>(height) * 0.5f;
    // No sample outside the valid ones is read; with none valid the trace is the middle line.
    const int validSamples = std::clamp(numSamples, 0, static_cast<int>(buffer.size()));

    juce::Path trace;
    trace.startNewSubPath(0.0f, mid);

    // One point per device pixel column, so the trace is as fine as the screen.
    const float scale = std::max(1.0f, g.getInternalContext().getPhysicalPixelScaleFactor());
    const int columns = static_cast<int>(std::lround(static_cast<float>(width) * scale));
    for (int column = 1; column < columns; ++column)
    {
        const float x = static_cast<float>(column) / scale;
        float sample = validSamples > 0 ? sampleForPixel(x, width, validSamples) : 0.0f;

        if (x < fadeWidth)
            sample = x / fadeWidth * sample;
        else if (x > static_cast<float>(width) - fadeWidth)
            sample = (static_cast<float>(width) - x) / fadeWidth * sample;

        trace.lineTo(x, mid - sample * 2.0f * mid);
    }

    g.setColour(juce::Colour(traceArgb));
    g.strokePath(trace, juce::PathStrokeType(2.0f, juce::PathStrokeType::mitered,
                                             juce::PathStrokeType::butt));
}

} // namespace halvo
