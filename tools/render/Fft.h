#pragma once

#include <complex>
#include <vector>

namespace halvo::render
{

// In-place radix-2 FFT of a fixed power-of-two size.
class Fft
{
public:
    explicit Fft(int size);

    int size() const noexcept { return static_cast<int>(twiddles.size() * 2); }
    void transform(std::vector<std::complex<double>>& data) const;

private:
    std::vector<std::complex<double>> twiddles;
    std::vector<int> bitReversed;
};

} // namespace halvo::render
