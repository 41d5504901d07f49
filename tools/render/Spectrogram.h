#pragma once

#include "Fft.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <vector>

namespace halvo::render
{

// Levels of the channel mix over time and log-spaced frequency, built while the audio streams
// past: one analysis frame centred on each picture column, one value per picture row.
class Spectrogram
{
public:
    Spectrogram(double sampleRate, std::int64_t totalSamples, int columns, int rows);

    void push(const juce::AudioBuffer<float>& block);
    // Analyses the columns whose frames reach past the end of the audio.
    void finish();

    int columns() const noexcept { return numColumns; }
    int rows() const noexcept { return numRows; }
    // dBFS of a full-scale sine; row 0 is the lowest frequency.
    float levelDb(int column, int row) const noexcept;
    float highestLevelDb() const noexcept { return highestLevel; }
    int frameSize() const noexcept { return fft.size(); }

    double lowestFrequency() const noexcept { return lowHz; }
    double highestFrequency() const noexcept { return highHz; }
    // Where a frequency lies on the rows, 0 at the bottom edge, rows() at the top edge.
    double rowPosition(double hz) const noexcept;

private:
    struct RowBins
    {
        int first;     // bins whose maximum gives the row's level, or
        int last;      // first > last: interpolate at `centre`
        double centre; // in bins
    };

    void pushSample(float sample);
    void analyseNextColumn();
    std::int64_t frameEnd(int column) const noexcept;

    double sampleRate;
    std::int64_t totalSamples;
    int numColumns;
    int numRows;
    double lowHz;
    double highHz;
    Fft fft;
    std::vector<double> window;
    double windowGain = 1.0;
    std::vector<RowBins> rowBins;
    std::vector<float> history; // the last fft.size() samples, a ring
    std::int64_t samplesSeen = 0;
    int nextColumn = 0;
    std::vector<std::complex<double>> frame;
    std::vector<double> magnitudes;
    std::vector<float> levels;
    float highestLevel = -200.0f;
};

} // namespace halvo::render
