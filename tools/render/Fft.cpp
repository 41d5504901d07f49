#include "Fft.h"

#include <cassert>
#include <numbers>
#include <utility>

namespace halvo::render
{

Fft::Fft(int size)
{
    assert(size >= 2 && (size & (size - 1)) == 0);
    const auto count = static_cast<std::size_t>(size);
    twiddles.resize(count / 2);
    for (std::size_t k = 0; k < twiddles.size(); ++k)
        twiddles[k] = std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k) / size);

    bitReversed.resize(count);
    int bits = 0;
    while ((1 << bits) < size)
        ++bits;
    for (int i = 0; i < size; ++i)
    {
        int reversed = 0;
        for (int bit = 0; bit < bits; ++bit)
            reversed |= ((i >> bit) & 1) << (bits - 1 - bit);
        bitReversed[static_cast<std::size_t>(i)] = reversed;
    }
}

void Fft::transform(std::vector<std::complex<double>>& data) const
{
    const std::size_t n = bitReversed.size();
    assert(data.size() == n);

    for (std::size_t i = 0; i < n; ++i)
    {
        const auto j = static_cast<std::size_t>(bitReversed[i]);
        if (i < j)
            std::swap(data[i], data[j]);
    }

    for (std::size_t half = 1; half < n; half *= 2)
    {
        const std::size_t twiddleStep = n / (2 * half);
        for (std::size_t start = 0; start < n; start += 2 * half)
            for (std::size_t k = 0; k < half; ++k)
            {
                const auto odd = data[start + k + half] * twiddles[k * twiddleStep];
                data[start + k + half] = data[start + k] - odd;
                data[start + k] += odd;
            }
    }
}

} // namespace halvo::render
