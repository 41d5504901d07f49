#include "../../tests/support/DefaultPatch.h"
#include "BenchmarkPatches.h"
#include "engine/FdnReverb.h"
#include "engine/FeedbackDelay.h"
#include "engine/InstructionSet.h"
#include "engine/OutputStage.h"
#include "engine/SoundEngine.h"
#include "engine/SweepOscillator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace halvo
{
namespace
{

using benchmarks::blockSize;

void countSamples(benchmark::State& state, int channels = 1)
{
    state.SetItemsProcessed(state.iterations() * blockSize * channels);
}

std::vector<float> swept(std::size_t n)
{
    std::vector<float> signal(n);
    for (std::size_t i = 0; i < n; ++i)
        signal[i] = 0.4f * static_cast<float>(std::sin(0.0627 * static_cast<double>(i)));
    return signal;
}

// Arguments: waveform, mode. Modes 0, 1, 2 and 4 stand for the sine, squared-sine, ramp and square
// LFO families.
void oscillatorBlock(benchmark::State& state)
{
    SweepOscillator oscillator(0.0f, 0.0f, 44100.0f);
    oscillator.setWaveform(static_cast<int>(state.range(0)));
    oscillator.setMode(static_cast<int>(state.range(1)));
    oscillator.setSweepRate(0.1f);
    oscillator.setBaseFrequency(440.0f);
    oscillator.setGateLevel(0.5f);
    std::vector<float> out(blockSize);
    for (auto _ : state)
    {
        oscillator.render(out.data(), blockSize);
        benchmark::DoNotOptimize(out.data());
    }
    countSamples(state);
}
BENCHMARK(oscillatorBlock)->ArgNames({"waveform", "mode"})->ArgsProduct({{0, 1, 2}, {0, 1, 2, 4}});

void delayBlock(benchmark::State& state)
{
    FeedbackDelay delay;
    delay.setDelaySamples(0.55f * 44100.0f);
    delay.setFeedback(0.55f);
    const auto input = swept(blockSize);
    std::vector<float> out(blockSize);
    for (auto _ : state)
    {
        delay.process(input.data(), out.data(), blockSize);
        benchmark::DoNotOptimize(out.data());
    }
    countSamples(state);
}
BENCHMARK(delayBlock);

// Argument: the instruction set the kernels are forced to (0 SSE2, 1 AVX2, 2 AVX-512).
bool forceSet(benchmark::State& state)
{
    const auto set = static_cast<InstructionSet>(state.range(0));
    if (forceInstructionSet(set))
        return true;
    state.SkipWithError("instruction set not supported by this CPU");
    return false;
}

void restoreWidestSet()
{
    for (const auto set : {InstructionSet::avx512, InstructionSet::avx2})
        if (forceInstructionSet(set))
            return;
    forceInstructionSet(InstructionSet::sse2);
}

void reverbMonoBlock(benchmark::State& state)
{
    if (!forceSet(state))
        return;
    FdnReverb reverb(44100.0f, 5.0f, 0.5f);
    const auto input = swept(blockSize);
    std::vector<float> out(blockSize);
    for (auto _ : state)
    {
        reverb.processMono(input.data(), out.data(), blockSize);
        benchmark::DoNotOptimize(out.data());
    }
    countSamples(state);
    restoreWidestSet();
}
BENCHMARK(reverbMonoBlock)->ArgName("set")->DenseRange(0, 2);

void reverbStereoBlock(benchmark::State& state)
{
    if (!forceSet(state))
        return;
    FdnReverb reverb(44100.0f, 5.0f, 0.5f);
    const auto input = swept(blockSize);
    std::vector<float> left(blockSize), right(blockSize);
    float* const channels[] = {left.data(), right.data()};
    for (auto _ : state)
    {
        reverb.processStereo(input.data(), channels, blockSize);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    countSamples(state);
    restoreWidestSet();
}
BENCHMARK(reverbStereoBlock)->ArgName("set")->DenseRange(0, 2);

// Argument 0 measures a block that applies a settled gain, 1 one that ramps towards a new target.
// The stage works in place, so each iteration also copies a fresh block in (timed as well).
void outputStageStereoBlock(benchmark::State& state)
{
    OutputStage stage;
    const auto input = swept(blockSize);
    std::vector<float> left(blockSize), right(blockSize);
    float* const channels[] = {left.data(), right.data()};
    const bool ramping = state.range(0) != 0;
    float target = 0.5f;
    for (auto _ : state)
    {
        std::copy(input.begin(), input.end(), left.begin());
        std::copy(input.begin(), input.end(), right.begin());
        if (ramping)
            stage.setGainTarget(target = 1.5f - target);
        stage.process(channels, 2, blockSize);
        benchmark::DoNotOptimize(left.data());
    }
    countSamples(state, 2);
}
BENCHMARK(outputStageStereoBlock)->ArgName("ramping")->Arg(0)->Arg(1);

// Argument: the patch. The whole chain: engine and output stage, one held A4, stereo.
void halvoChainStereo(benchmark::State& state)
{
    SoundEngine engine;
    test::playDefaultPatch(engine);
    if (state.range(0) == benchmarks::worstPatch)
    {
        engine.oscillator.setWaveform(0);
        engine.oscillator.setMode(1);
        engine.reverb.setDecayTime(10.0f);
    }
    OutputStage output;
    output.setGainTarget(1.0f);
    std::vector<float> left(blockSize), right(blockSize);
    float* const channels[] = {left.data(), right.data()};
    for (auto _ : state)
    {
        engine.processStereo(channels, blockSize);
        output.process(channels, 2, blockSize);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    countSamples(state);
}
BENCHMARK(halvoChainStereo)
    ->ArgName("patch")
    ->Arg(benchmarks::defaultPatch)
    ->Arg(benchmarks::worstPatch);

// The whole chain on the SSE2 kernels, the ones the WebAssembly build runs (benchmarks/web).
void halvoChainStereoSse2(benchmark::State& state)
{
    forceInstructionSet(InstructionSet::sse2);
    halvoChainStereo(state);
    restoreWidestSet();
}
BENCHMARK(halvoChainStereoSse2)
    ->ArgName("patch")
    ->Arg(benchmarks::defaultPatch)
    ->Arg(benchmarks::worstPatch);

} // namespace
} // namespace halvo
