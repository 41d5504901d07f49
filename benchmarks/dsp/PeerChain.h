#pragma once

#include <juce_dsp/juce_dsp.h>

namespace halvo::benchmarks
{

// The job of Halvo's default patch done with juce::dsp parts, as a JUCE user would assemble it: a
// polyBLEP saw at 0.5 whose pitch a 0.1 Hz sine sweeps, a mono linear-interpolating feedback delay
// (0.55 s, feedback 0.55), juce::Reverb in stereo, a gain and a clip.
class PeerChain
{
public:
    static constexpr double sampleRate = 44100.0;

    explicit PeerChain(int maximumBlockSize);

    void renderOscillator(float* out, int numSamples) noexcept;
    void processDelay(float* channel, int numSamples) noexcept;
    void processReverb(float* left, float* right, int numSamples) noexcept;
    void processOutput(float* left, float* right, int numSamples) noexcept;

    // The whole chain into two channels.
    void process(float* left, float* right, int numSamples) noexcept;

private:
    float sawIncrement = 0.0f;
    juce::dsp::Oscillator<float> sweep;
    juce::dsp::Oscillator<float> saw;
    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::Linear> delay;
    juce::Reverb reverb;
    juce::dsp::Gain<float> gain;
};

} // namespace halvo::benchmarks
