#include "Spectrogram.h"
#include "WaveformEnvelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace halvo::render
{
namespace
{
juce::AudioBuffer<float> toneStartingHalfway(double rate, int length, double hz, float level)
{
    juce::AudioBuffer<float> audio(2, length);
    audio.clear();
    for (int i = length / 2; i < length; ++i)
    {
        const auto sample =
            static_cast<float>(level * std::sin(2.0 * std::numbers::pi * hz * i / rate));
        audio.setSample(0, i, sample);
        audio.setSample(1, i, sample);
    }
    return audio;
}

int rowOf(const Spectrogram& spectrogram, double hz)
{
    return static_cast<int>(spectrogram.rowPosition(hz));
}

TEST(Spectrogram, ShowsAToneAtItsFrequencyLevelAndTime)
{
    const double rate = 44100.0;
    const int length = 88200;
    const auto audio = toneStartingHalfway(rate, length, 1000.0, 0.5f);

    Spectrogram spectrogram(rate, length, 200, 300);
    // Fed in uneven pieces, as blocks of a render arrive.
    for (int start = 0; start < length; start += 777)
    {
        const int n = std::min(777, length - start);
        juce::AudioBuffer<float> block(2, n);
        for (int channel = 0; channel < 2; ++channel)
            block.copyFrom(channel, 0, audio, channel, start, n);
        spectrogram.push(block);
    }
    spectrogram.finish();

    const int toneRow = rowOf(spectrogram, 1000.0);
    const int farRow = rowOf(spectrogram, 5000.0);
    // Columns well before the onset are empty; well after it, 0.5 reads -6 dBFS.
    for (const int column : {10, 80})
        EXPECT_LT(spectrogram.levelDb(column, toneRow), -100.0f) << column;
    for (const int column : {120, 150, 190})
    {
        EXPECT_NEAR(spectrogram.levelDb(column, toneRow), -6.0f, 1.0f) << column;
        EXPECT_LT(spectrogram.levelDb(column, farRow), -60.0f) << column;
    }
    EXPECT_NEAR(spectrogram.highestLevelDb(), -6.0f, 1.0f);
}

TEST(WaveformEnvelope, HoldsEachColumnsExtremesAndRmsPerChannel)
{
    juce::AudioBuffer<float> block(2, 8);
    const float left[] = {0.5f, -0.5f, 0.5f, -0.5f, 0.0f, 0.0f, 0.25f, 0.0f};
    for (int i = 0; i < 8; ++i)
    {
        block.setSample(0, i, left[i]);
        block.setSample(1, i, -left[i] * 2.0f);
    }
    WaveformEnvelope envelope(2, 8, 2);
    envelope.push(block);

    const auto first = envelope.column(0, 0);
    EXPECT_EQ(first.lowest, -0.5f);
    EXPECT_EQ(first.highest, 0.5f);
    EXPECT_FLOAT_EQ(first.rms, 0.5f);
    const auto second = envelope.column(0, 1);
    EXPECT_EQ(second.lowest, 0.0f);
    EXPECT_EQ(second.highest, 0.25f);
    EXPECT_FLOAT_EQ(second.rms, 0.125f);
    EXPECT_EQ(envelope.column(1, 1).lowest, -0.5f);
}

} // namespace
} // namespace halvo::render
