#pragma once

namespace halvo::benchmarks
{

constexpr int blockSize = 512;

// Benchmark arguments: the instrument as a fresh instance sets it up, and the costliest patch (sine
// waveform, sweep mode 1, Reverb 1.0).
constexpr int defaultPatch = 0;
constexpr int worstPatch = 1;

} // namespace halvo::benchmarks
