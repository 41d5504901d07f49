#include "ReferenceChain.h"
#include "engine/InstructionSet.h"
#include "engine/OutputStage.h"
#include "engine/SoundEngine.h"
#include "parameters/ParameterTable.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace halvo
{
namespace
{

constexpr std::int64_t samplesPerSession = 10'000'000;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

// The settings of both chains, as the processor derives them from parameter values and notes.
struct Settings
{
    float hostRate = 44100.0f;
    float parameters[numParameters] = {0.5f, 0.5f, 0.5f, 0.005f, 0.0f, 0.5f, 0.9f};
    int note = -1;
    bool gateOpen = false;

    std::string describe() const
    {
        std::ostringstream text;
        text << "host rate " << hostRate << ", note " << note << (gateOpen ? " held" : " released")
             << ", parameters";
        for (const float value : parameters)
            text << ' ' << value;
        return text.str();
    }
};

struct ChainPair
{
    SoundEngine engine;
    OutputStage output;
    reference::Oscillator oscillator;
    reference::Delay delay;
    reference::Reverb reverb;
    reference::OutputGain gain;

    void setParameter(const Settings& settings, int index)
    {
        const float x = settings.parameters[index];
        switch (index)
        {
        case delayTimeIndex:
            engine.delay.setDelaySamples(delaySamplesFor(x, settings.hostRate));
            if (const float d = delaySamplesFor(x, settings.hostRate); !std::isnan(d))
                delay.targetDelay = std::fmin(std::fmax(d, 100.0f), 192000.0f);
            break;
        case delayFeedbackIndex:
            engine.delay.setFeedback(delayFeedbackFor(x));
            if (std::isfinite(delayFeedbackFor(x)))
                delay.targetFeedback = delayFeedbackFor(x);
            break;
        case oscIndex:
            engine.oscillator.setWaveform(waveformFor(x));
            oscillator.waveform = waveformFor(x);
            break;
        case rateIndex:
            engine.oscillator.setSweepRate(sweepRateFor(x));
            oscillator.sweepIncrement =
                std::fmin(std::fmin(std::fabs(sweepRateFor(x)), FLT_MAX) / 44100.0f, FLT_MAX);
            break;
        case modeIndex:
            engine.oscillator.setMode(sweepModeFor(x));
            oscillator.mode = sweepModeFor(x);
            break;
        case reverbIndex:
            engine.reverb.setDecayTime(reverbDecayFor(x));
            reverb.setDecayTime(reverbDecayFor(x));
            break;
        default:
            output.setGainTarget(outputGainFor(x));
            if (std::isfinite(outputGainFor(x)))
                gain.target = outputGainFor(x);
            break;
        }
    }

    void playNote(const Settings& settings)
    {
        const auto hz = static_cast<float>(440.0 * std::pow(2.0, (settings.note - 69) / 12.0) *
                                           44100.0 / settings.hostRate);
        engine.oscillator.setBaseFrequency(hz);
        engine.oscillator.resetSweepPhase();
        engine.oscillator.setGateLevel(0.5f);
        oscillator.baseFrequency = hz;
        oscillator.sweepPhase = 0.0f;
        oscillator.gateLevel = 0.5f;
    }

    void releaseNote()
    {
        engine.oscillator.setGateLevel(0.0f);
        oscillator.gateLevel = 0.0f;
    }

    // Renders one block through both chains; channels hold the host's input on entry.
    void process(std::vector<std::vector<float>>& actual, std::vector<std::vector<float>>& expected)
    {
        const int n = static_cast<int>(actual[0].size());
        const bool stereo = actual.size() == 2;
        for (std::size_t i = 0; i < actual[0].size(); ++i)
        {
            const auto wet = reverb.next(delay.next(oscillator.next(expected[0][i])));
            expected[0][i] = stereo ? wet[1] : wet[0];
            if (stereo)
                expected[1][i] = wet[2];
        }
        gain.process(expected);

        float* channels[] = {actual[0].data(), stereo ? actual[1].data() : nullptr};
        if (stereo)
            engine.processStereo(channels, n);
        else
            engine.processMono(channels[0], n);
        output.process(channels, static_cast<int>(actual.size()), n);
    }
};

float randomParameterValue(std::mt19937& random)
{
    const float unusual[] = {nan, -inf, inf, -0.3f, 1.7f, 1e9f, -1e-30f, 0.0f, 1.0f, 0.5f};
    if (random() % 5 == 0)
        return unusual[random() % std::size(unusual)];
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
}

int randomBlockSize(std::mt19937& random)
{
    const int edges[] = {0, 1, 2, 46, 47, 48, 512, 513, 16384, 16385, 20000};
    if (random() % 8 == 0)
        return edges[random() % std::size(edges)];
    return static_cast<int>(random() % 700);
}

float randomInputSample(std::mt19937& random)
{
    if (random() % 5000 == 0)
        return random() % 2 == 0 ? nan : 1e30f;
    return std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
}

// Random sessions: notes, parameter changes (NaN and values outside 0 ... 1 among them), host
// rates, mono and stereo blocks of random sizes, host audio left in the channels. Every output
// sample of the chain must have the bits of the per-sample model.
class ChainSession : public ::testing::TestWithParam<InstructionSet>
{
};

TEST_P(ChainSession, MatchesThePerSampleModelBitForBit)
{
    if (!forceInstructionSet(GetParam()))
        GTEST_SKIP() << instructionSetName(GetParam()) << " is not supported by this CPU";

    std::mt19937 random(20261209);
    ChainPair chains;
    Settings settings;
    for (int index = 0; index < numParameters; ++index)
        chains.setParameter(settings, index);

    const float hostRates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 192000.0f, 8000.0f};
    std::int64_t position = 0;
    // Stretches without delay changes, long enough for its glides to come to rest.
    std::int64_t delayQuietUntil = 0;
    for (int block = 0; position < samplesPerSession; ++block)
    {
        if (random() % 300 == 0)
            delayQuietUntil = position + 200'000 + static_cast<std::int64_t>(random() % 600'000);
        const bool delayQuiet = position < delayQuietUntil;
        const auto event = random() % 16;
        if (event < 3)
        {
            settings.note = static_cast<int>(random() % 128);
            settings.gateOpen = true;
            chains.playNote(settings);
        }
        else if (event == 3)
        {
            settings.gateOpen = false;
            chains.releaseNote();
        }
        else if (event == 4 && !delayQuiet)
        {
            settings.hostRate = hostRates[random() % std::size(hostRates)];
            chains.setParameter(settings, delayTimeIndex);
        }
        else if (event < 10)
        {
            const int index = static_cast<int>(random() % numParameters);
            if (!delayQuiet || (index != delayTimeIndex && index != delayFeedbackIndex))
            {
                settings.parameters[index] = randomParameterValue(random);
                chains.setParameter(settings, index);
            }
        }

        const auto n = static_cast<std::size_t>(randomBlockSize(random));
        const std::size_t channels = random() % 4 == 0 ? 1 : 2;
        std::vector<std::vector<float>> actual(channels, std::vector<float>(n));
        for (auto& channel : actual)
            for (auto& sample : channel)
                sample = randomInputSample(random);
        auto expected = actual;
        chains.process(actual, expected);

        for (std::size_t c = 0; c < channels; ++c)
            for (std::size_t i = 0; i < n; ++i)
                if (std::bit_cast<std::uint32_t>(actual[c][i]) !=
                    std::bit_cast<std::uint32_t>(expected[c][i]))
                    FAIL() << "sample " << i << " of block " << block << " (" << n << " samples, "
                           << (channels == 1 ? "mono" : "stereo") << ", channel " << c
                           << ", session sample " << position + static_cast<std::int64_t>(i)
                           << "): " << actual[c][i] << " instead of " << expected[c][i] << "; "
                           << settings.describe();
        position += static_cast<std::int64_t>(n);
    }
}

INSTANTIATE_TEST_SUITE_P(EachInstructionSet, ChainSession,
                         ::testing::Values(InstructionSet::sse2, InstructionSet::avx2,
                                           InstructionSet::avx512, InstructionSet::neon),
                         [](const ::testing::TestParamInfo<InstructionSet>& set)
                         { return std::string(instructionSetName(set.param)); });

} // namespace
} // namespace halvo
