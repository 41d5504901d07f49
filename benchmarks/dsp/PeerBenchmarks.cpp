#include "BenchmarkPatches.h"
#include "PeerChain.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace halvo::benchmarks
{
namespace
{

void countSamples(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * blockSize);
}

std::vector<float> swept()
{
    std::vector<float> signal(blockSize);
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] = 0.4f * static_cast<float>(std::sin(0.0627 * static_cast<double>(i)));
    return signal;
}

void peerChainStereo(benchmark::State& state)
{
    PeerChain peer(blockSize);
    std::vector<float> left(blockSize), right(blockSize);
    for (auto _ : state)
    {
        peer.process(left.data(), right.data(), blockSize);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    countSamples(state);
}
BENCHMARK(peerChainStereo);

void peerOscillatorBlock(benchmark::State& state)
{
    PeerChain peer(blockSize);
    std::vector<float> out(blockSize);
    for (auto _ : state)
    {
        peer.renderOscillator(out.data(), blockSize);
        benchmark::DoNotOptimize(out.data());
    }
    countSamples(state);
}
BENCHMARK(peerOscillatorBlock);

void peerDelayBlock(benchmark::State& state)
{
    PeerChain peer(blockSize);
    const auto input = swept();
    std::vector<float> channel(blockSize);
    for (auto _ : state)
    {
        channel = input;
        peer.processDelay(channel.data(), blockSize);
        benchmark::DoNotOptimize(channel.data());
    }
    countSamples(state);
}
BENCHMARK(peerDelayBlock);

void peerReverbStereoBlock(benchmark::State& state)
{
    PeerChain peer(blockSize);
    const auto input = swept();
    std::vector<float> left(blockSize), right(blockSize);
    for (auto _ : state)
    {
        left = input;
        peer.processReverb(left.data(), right.data(), blockSize);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    countSamples(state);
}
BENCHMARK(peerReverbStereoBlock);

// Copies a fresh block in first, like the output stage benchmark of the chain.
void peerOutputStereoBlock(benchmark::State& state)
{
    PeerChain peer(blockSize);
    const auto input = swept();
    std::vector<float> left(blockSize), right(blockSize);
    for (auto _ : state)
    {
        left = input;
        right = input;
        peer.processOutput(left.data(), right.data(), blockSize);
        benchmark::DoNotOptimize(left.data());
    }
    countSamples(state);
}
BENCHMARK(peerOutputStereoBlock);

} // namespace
} // namespace halvo::benchmarks
