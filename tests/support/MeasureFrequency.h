#pragma once

#include <cstddef>
#include <vector>

namespace halvo::test
{

// Frequency from rising zero crossings, interpolated, from sample `from` on; 0 without two
// crossings.
inline double measureFrequency(const std::vector<float>& samples, std::size_t from,
                               double sampleRate)
{
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (std::size_t i = from + 1; i < samples.size(); ++i)
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f)
        {
            last = static_cast<double>(i - 1) +
                   samples[i - 1] / static_cast<double>(samples[i - 1] - samples[i]);
            if (first < 0.0)
                first = last;
            else
                ++crossings;
        }
    return crossings > 0 ? crossings * sampleRate / (last - first) : 0.0;
}

} // namespace halvo::test
