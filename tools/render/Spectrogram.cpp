#include "Spectrogram.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halvo::render
{
namespace
{
constexpr double lowestShownHz = 30.0;
constexpr double highestShownHz = 20000.0;
constexpr double frameSeconds = 0.08;
constexpr float silenceDb = -200.0f;

int frameSizeFor(double sampleRate)
{
    int size = 256;
    while (size < sampleRate * frameSeconds)
        size *= 2;
    return size;
}
} // namespace

Spectrogram::Spectrogram(double rate, std::int64_t samples, int columns, int rows)
    : sampleRate(rate), totalSamples(samples), numColumns(columns), numRows(rows),
      lowHz(lowestShownHz), highHz(std::min(highestShownHz, rate / 2.0)), fft(frameSizeFor(rate))
{
    const int size = fft.size();
    const auto count = static_cast<std::size_t>(size);

    window.resize(count);
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        window[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / size);
        sum += window[i];
    }
    // A full-scale sine reads 0 dB.
    windowGain = 2.0 / sum;

    const double binsPerHz = size / sampleRate;
    for (int row = 0; row < numRows; ++row)
    {
        const double fromHz = lowHz * std::pow(highHz / lowHz, static_cast<double>(row) / numRows);
        const double toHz =
            lowHz * std::pow(highHz / lowHz, static_cast<double>(row + 1) / numRows);
        rowBins.push_back({static_cast<int>(std::ceil(fromHz * binsPerHz)),
                           static_cast<int>(std::floor(toHz * binsPerHz)),
                           std::sqrt(fromHz * toHz) * binsPerHz});
    }

    history.assign(count, 0.0f);
    frame.resize(count);
    magnitudes.resize(count / 2 + 1);
    levels.assign(static_cast<std::size_t>(numColumns) * static_cast<std::size_t>(numRows),
                  silenceDb);
}

double Spectrogram::rowPosition(double hz) const noexcept
{
    return numRows * std::log(hz / lowHz) / std::log(highHz / lowHz);
}

float Spectrogram::levelDb(int column, int row) const noexcept
{
    return levels[static_cast<std::size_t>(column) * static_cast<std::size_t>(numRows) +
                  static_cast<std::size_t>(row)];
}

std::int64_t Spectrogram::frameEnd(int column) const noexcept
{
    const auto centre = (2 * static_cast<std::int64_t>(column) + 1) * totalSamples /
                        (2 * static_cast<std::int64_t>(numColumns));
    return centre + fft.size() / 2;
}

void Spectrogram::push(const juce::AudioBuffer<float>& block)
{
    const int channels = block.getNumChannels();
    if (channels == 0)
        return;
    const float scale = 1.0f / static_cast<float>(channels);
    for (int i = 0; i < block.getNumSamples(); ++i)
    {
        float mix = 0.0f;
        for (int channel = 0; channel < channels; ++channel)
            mix += block.getSample(channel, i);
        pushSample(mix * scale);
    }
}

void Spectrogram::finish()
{
    while (nextColumn < numColumns)
        pushSample(0.0f);
}

void Spectrogram::pushSample(float sample)
{
    const auto size = static_cast<std::int64_t>(history.size());
    history[static_cast<std::size_t>(samplesSeen % size)] = sample;
    ++samplesSeen;
    while (nextColumn < numColumns && frameEnd(nextColumn) <= samplesSeen)
        analyseNextColumn();
}

void Spectrogram::analyseNextColumn()
{
    // The ring holds the frame's samples oldest first from the slot after the newest.
    const auto size = history.size();
    const auto oldest = static_cast<std::size_t>(samplesSeen % static_cast<std::int64_t>(size));
    for (std::size_t i = 0; i < size; ++i)
        frame[i] = history[(oldest + i) % size] * window[i];
    fft.transform(frame);
    for (std::size_t bin = 0; bin < magnitudes.size(); ++bin)
        magnitudes[bin] = std::abs(frame[bin]) * windowGain;

    const auto lastBin = static_cast<int>(magnitudes.size()) - 1;
    const auto magnitudeAt = [&](int bin)
    { return magnitudes[static_cast<std::size_t>(std::clamp(bin, 0, lastBin))]; };

    for (int row = 0; row < numRows; ++row)
    {
        const auto& bins = rowBins[static_cast<std::size_t>(row)];
        double magnitude = 0.0;
        if (bins.first <= bins.last)
        {
            for (int bin = bins.first; bin <= bins.last; ++bin)
                magnitude = std::max(magnitude, magnitudeAt(bin));
        }
        else
        {
            const int below = static_cast<int>(std::floor(bins.centre));
            const double fraction = bins.centre - below;
            magnitude = magnitudeAt(below) * (1.0 - fraction) + magnitudeAt(below + 1) * fraction;
        }
        const float level =
            magnitude > 1e-10 ? static_cast<float>(20.0 * std::log10(magnitude)) : silenceDb;
        levels[static_cast<std::size_t>(nextColumn) * static_cast<std::size_t>(numRows) +
               static_cast<std::size_t>(row)] = level;
        highestLevel = std::max(highestLevel, level);
    }
    ++nextColumn;
}

} // namespace halvo::render
