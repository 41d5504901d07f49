#pragma once

#include "Performance.h"
#include "Spectrogram.h"
#include "WaveformEnvelope.h"

#include <juce_graphics/juce_graphics.h>

#include <cstdint>

namespace halvo::render
{

struct PlotCaption
{
    juce::String title;
    juce::StringArray details; // up to three lines under the title
};

// The picture of a render: waveform lanes over a spectrogram on a shared time axis, with the
// performance's labels as markers. Fed block by block while rendering.
class AudioPlot
{
public:
    static constexpr int width = 1600;
    static constexpr int height = 1000;

    AudioPlot(double sampleRate, int numChannels, std::int64_t totalSamples);

    void push(const juce::AudioBuffer<float>& block);
    juce::Image draw(const PlotCaption& caption, const std::vector<Marker>& markers);

private:
    double sampleRate;
    std::int64_t totalSamples;
    WaveformEnvelope envelope;
    Spectrogram spectrogram;
};

} // namespace halvo::render
