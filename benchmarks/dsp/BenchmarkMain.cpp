#include "engine/InstructionSet.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include <cstdio>
#include <map>
#include <string>

namespace
{

// Shows the results as usual and keeps each benchmark's CPU time per iteration (the median when
// repetitions are asked for), so that the run can end with Halvo's speed against the peer.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
        {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (single || median)
                cpuTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
    }

    void printRatio(const char* what, const std::string& halvo, const std::string& peer) const
    {
        const auto h = cpuTimes.find(halvo);
        const auto p = cpuTimes.find(peer);
        if (h != cpuTimes.end() && p != cpuTimes.end() && h->second > 0.0)
            std::printf("%-44s peer / Halvo = %5.2f  (Halvo %.4g, peer %.4g per block)\n", what,
                        p->second / h->second, h->second, p->second);
    }

private:
    std::map<std::string, double> cpuTimes;
};

} // namespace

int main(int argc, char** argv)
{
    // Hosting the built VST3 needs JUCE's message manager.
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nSpeed against the juce::dsp peer chain, same run (CPU time, 512-sample blocks):\n");
    reporter.printRatio("whole chain, default patch", "halvoChainStereo/patch:0",
                        "peerChainStereo");
    reporter.printRatio("whole chain, worst patch", "halvoChainStereo/patch:1", "peerChainStereo");
    reporter.printRatio("VST3 host path, default patch", "hostedHalvoVst3/patch:0",
                        "peerChainStereo");
    reporter.printRatio("VST3 host path, worst patch", "hostedHalvoVst3/patch:1",
                        "peerChainStereo");
    reporter.printRatio("oscillator", "oscillatorBlock/waveform:1/mode:0", "peerOscillatorBlock");
    reporter.printRatio("delay", "delayBlock", "peerDelayBlock");
    const auto widestSet = std::to_string(static_cast<int>(halvo::activeInstructionSet()));
    reporter.printRatio("reverb, stereo", "reverbStereoBlock/set:" + widestSet,
                        "peerReverbStereoBlock");
    reporter.printRatio("gain and clip, stereo", "outputStageStereoBlock/ramping:0",
                        "peerOutputStereoBlock");
    benchmark::Shutdown();
    return 0;
}
