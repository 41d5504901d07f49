#include "PeerChain.h"

#include <algorithm>

namespace halvo::benchmarks
{

namespace
{

constexpr float delaySeconds = 0.55f;
constexpr float delayFeedback = 0.55f;

// Correction of a naive saw around its wrap, for phase t and phase step dt, both in cycles.
float polyBlep(float t, float dt) noexcept
{
    if (t < dt)
    {
        const float u = t / dt;
        return u + u - u * u - 1.0f;
    }
    if (t > 1.0f - dt)
    {
        const float u = (t - 1.0f) / dt;
        return u * u + u + u + 1.0f;
    }
    return 0.0f;
}

} // namespace

PeerChain::PeerChain(int maximumBlockSize) : delay(static_cast<int>(delaySeconds * sampleRate) + 2)
{
    const juce::dsp::ProcessSpec mono{sampleRate, static_cast<juce::uint32>(maximumBlockSize), 1};
    const juce::dsp::ProcessSpec stereo{sampleRate, static_cast<juce::uint32>(maximumBlockSize), 2};

    sweep.initialise([](float x) { return std::sin(x); }, 0);
    sweep.prepare(mono);
    sweep.setFrequency(0.1f, true);

    saw.initialise(
        [this](float x)
        {
            const float t =
                (x + juce::MathConstants<float>::pi) / juce::MathConstants<float>::twoPi;
            return 0.5f * (2.0f * t - 1.0f - polyBlep(t, sawIncrement));
        },
        0);
    saw.prepare(mono);

    delay.prepare(mono);
    delay.setDelay(delaySeconds * static_cast<float>(sampleRate));

    reverb.setSampleRate(sampleRate);

    gain.prepare(stereo);
    gain.setGainLinear(0.9f);
}

void PeerChain::renderOscillator(float* out, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float frequency = 440.0f * (1.5f + sweep.processSample(0.0f));
        sawIncrement = frequency / static_cast<float>(sampleRate);
        saw.setFrequency(frequency, true);
        out[i] = saw.processSample(0.0f);
    }
}

void PeerChain::processDelay(float* channel, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float echo = delay.popSample(0);
        delay.pushSample(0, channel[i] + delayFeedback * echo);
        channel[i] += echo;
    }
}

void PeerChain::processReverb(float* left, float* right, int numSamples) noexcept
{
    std::copy_n(left, numSamples, right);
    reverb.processStereo(left, right, numSamples);
}

void PeerChain::processOutput(float* left, float* right, int numSamples) noexcept
{
    float* channels[] = {left, right};
    juce::dsp::AudioBlock<float> block(channels, 2, static_cast<std::size_t>(numSamples));
    gain.process(juce::dsp::ProcessContextReplacing<float>(block));
    juce::FloatVectorOperations::clip(left, left, -1.0f, 1.0f, numSamples);
    juce::FloatVectorOperations::clip(right, right, -1.0f, 1.0f, numSamples);
}

void PeerChain::process(float* left, float* right, int numSamples) noexcept
{
    renderOscillator(left, numSamples);
    processDelay(left, numSamples);
    processReverb(left, right, numSamples);
    processOutput(left, right, numSamples);
}

} // namespace halvo::benchmarks
