#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace halvo
{

// Phase accumulator in cycles (0 <= phase < 1). Frequency and increment may be rewritten from any
// thread; the phase belongs to the audio thread.
struct Phasor
{
    std::atomic<float> frequency{0.0f};
    float sampleRate = 44100.0f;
    float phase = 0.0f;
    std::atomic<float> increment{0.0f};

    void set(float newFrequency, float newSampleRate, float startPhase) noexcept;
    void setFrequency(float newFrequency) noexcept;
};

// One-pole DC blocker; values that fall below 1e-5 are flushed to exactly zero.
struct DcBlocker
{
    float lastInput = 0.0f;
    float lastOutput = 0.0f;
    float coefficient = 0.9993f;

    // The output as stored: 0 where its magnitude is below 1e-5 (compared in double, where the
    // float nearest 1e-5 is below it) and for a NaN, which would otherwise stay in the filter.
    static float flushed(float y) noexcept;
};

// The tone source: the note's frequency multiplied sample by sample by a curve that an LFO sweeps,
// rendered at a fixed 44100 Hz reference whatever the host's rate.
class SweepOscillator
{
public:
    static constexpr int maxBlockSize = 16384;

    SweepOscillator(float baseFrequency, float sweepRate, float referenceRate);

    // Writes the tone into the first min(numSamples, maxBlockSize) samples of out.
    void render(float* out, int numSamples) noexcept;

    void setBaseFrequency(float hz) noexcept { baseFrequency.store(hz, std::memory_order_relaxed); }
    void setGateLevel(float level) noexcept { gateLevel.store(level, std::memory_order_relaxed); }
    void resetSweepPhase() noexcept { lfoPhasor.phase = 0.0f; }
    void setWaveform(int code) noexcept { waveform.store(code, std::memory_order_relaxed); }
    void setMode(int code) noexcept { mode.store(code, std::memory_order_relaxed); }
    void setSweepRate(float hz) noexcept { lfoPhasor.setFrequency(hz); }

    float getBaseFrequency() const noexcept
    {
        return baseFrequency.load(std::memory_order_relaxed);
    }
    float getGateLevel() const noexcept { return gateLevel.load(std::memory_order_relaxed); }
    float getAmplitude() const noexcept { return amplitude; }
    int getWaveform() const noexcept { return waveform.load(std::memory_order_relaxed); }
    int getMode() const noexcept { return mode.load(std::memory_order_relaxed); }
    int getLfoShape() const noexcept { return lfoShape; }
    float getSweepRate() const noexcept
    {
        return lfoPhasor.frequency.load(std::memory_order_relaxed);
    }
    float getSweepPhase() const noexcept { return lfoPhasor.phase; }
    float getTonePhase() const noexcept { return mainPhasor.phase; }

private:
    std::atomic<float> baseFrequency;
    std::atomic<std::int32_t> mode{0};
    std::atomic<float> gateLevel{0.0f};
    float amplitude = 0.0f;
    std::int32_t lfoShape = 0;
    std::atomic<std::int32_t> waveform{0};
    Phasor mainPhasor;
    Phasor lfoPhasor;
    DcBlocker outputFilter;
    std::unique_ptr<float[]> workBuffer;
};

} // namespace halvo
