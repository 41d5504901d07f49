#pragma once

// A plain per-sample model of the signal chain, written independently of the engine's staged
// passes, so the engine can be compared against it bit for bit.

#include <array>
#include <cstdint>
#include <vector>

namespace halvo::reference
{

struct Oscillator
{
    float baseFrequency = 0.0f;
    float sweepIncrement = 0.0f;
    float sweepPhase = 0.0f;
    float tonePhase = 0.5f;
    float amplitude = 0.0f;
    float gateLevel = 0.0f;
    int mode = 0;
    int waveform = 0;
    float filterInput = 0.0f;
    float filterOutput = 0.0f;
    float beforeFilter = 0.0f;

    // held is what the output sample contained before rendering.
    float next(float held);
};

struct Delay
{
    float targetDelay = 100.0f;
    float currentDelay = 100.0f;
    float targetFeedback = 0.0f;
    float currentFeedback = 0.0f;
    float lastDelayed = 0.0f;
    std::int64_t writePosition = 0;
    std::vector<float> line = std::vector<float>(192001, 0.0f);

    float next(float s);
};

struct Reverb
{
    std::array<float, 32> gains{};
    std::array<float, 32> state{};
    std::array<std::vector<float>, 32> lines;
    std::int64_t time = 0;

    Reverb();
    void setDecayTime(float seconds);
    // Returns the mono output and the even-line and odd-line stereo outputs of one sample.
    std::array<float, 3> next(float x);
};

struct OutputGain
{
    float target = 1.0f;
    float smoothed = 1.0f;

    void process(std::vector<std::vector<float>>& channels);
};

} // namespace halvo::reference
