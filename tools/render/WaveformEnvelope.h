#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <vector>

namespace halvo::render
{

// Lowest, highest and RMS sample of each channel over each picture column, gathered while the
// audio streams past.
class WaveformEnvelope
{
public:
    struct Column
    {
        float lowest = 0.0f;
        float highest = 0.0f;
        float rms = 0.0f;
    };

    WaveformEnvelope(int numChannels, std::int64_t totalSamples, int columns);

    void push(const juce::AudioBuffer<float>& block);

    int channels() const noexcept { return numChannels; }
    int columns() const noexcept { return numColumns; }
    Column column(int channel, int column) const noexcept;

private:
    struct Accumulator
    {
        float lowest = 0.0f;
        float highest = 0.0f;
        double sumOfSquares = 0.0;
        std::int64_t count = 0;
    };

    int numChannels;
    std::int64_t totalSamples;
    int numColumns;
    std::int64_t samplesSeen = 0;
    std::vector<Accumulator> accumulators; // channel-major
};

} // namespace halvo::render
