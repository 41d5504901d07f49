#include "WaveformEnvelope.h"

#include <algorithm>
#include <cmath>

namespace halvo::render
{

WaveformEnvelope::WaveformEnvelope(int channelCount, std::int64_t samples, int columns)
    : numChannels(channelCount), totalSamples(std::max<std::int64_t>(1, samples)),
      numColumns(columns),
      accumulators(static_cast<std::size_t>(channelCount) * static_cast<std::size_t>(columns))
{
}

void WaveformEnvelope::push(const juce::AudioBuffer<float>& block)
{
    const int channels = std::min(numChannels, block.getNumChannels());
    for (int i = 0; i < block.getNumSamples(); ++i, ++samplesSeen)
    {
        const auto columnIndex =
            std::min<std::int64_t>(numColumns - 1, samplesSeen * numColumns / totalSamples);
        for (int channel = 0; channel < channels; ++channel)
        {
            auto& column = accumulators[static_cast<std::size_t>(channel * numColumns) +
                                        static_cast<std::size_t>(columnIndex)];
            const float sample = block.getSample(channel, i);
            column.lowest = column.count == 0 ? sample : std::min(column.lowest, sample);
            column.highest = column.count == 0 ? sample : std::max(column.highest, sample);
            column.sumOfSquares += static_cast<double>(sample) * sample;
            ++column.count;
        }
    }
}

WaveformEnvelope::Column WaveformEnvelope::column(int channel, int columnIndex) const noexcept
{
    const auto& column = accumulators[static_cast<std::size_t>(channel * numColumns) +
                                      static_cast<std::size_t>(columnIndex)];
    if (column.count == 0)
        return {};
    const auto rms = std::sqrt(column.sumOfSquares / static_cast<double>(column.count));
    return {column.lowest, column.highest, static_cast<float>(rms)};
}

} // namespace halvo::render
