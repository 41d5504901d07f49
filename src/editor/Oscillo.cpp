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

    for (int pixel = 1; pixel < width; ++pixel)
    {
        const auto x = static_cast<float>(pixel);
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
