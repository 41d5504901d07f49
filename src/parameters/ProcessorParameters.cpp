#include "engine/MurmelAudioProcessor.h"

#include "parameters/EngineSettings.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace halvo
{

int MurmelAudioProcessor::getNumParameters()
{
    return numParameters;
}

const juce::String MurmelAudioProcessor::getParameterName(int index)
{
    return isParameterIndex(index) ? parameterTable[static_cast<std::size_t>(index)].name : "";
}

float MurmelAudioProcessor::getParameter(int index)
{
    return getParameterValue(index);
}

float MurmelAudioProcessor::getParameterValue(int index) const noexcept
{
    return isParameterIndex(index)
               ? paramValues[static_cast<std::size_t>(index)].load(std::memory_order_relaxed)
               : 0.0f;
}

float MurmelAudioProcessor::getParameterDefaultValue(int index)
{
    return isParameterIndex(index) ? parameterTable[static_cast<std::size_t>(index)].defaultValue
                                   : 0.0f;
}

const juce::String MurmelAudioProcessor::getParameterText(int index)
{
    return isParameterIndex(index) ? juce::String(formatParameterValue(getParameterValue(index)))
                                   : juce::String();
}

void MurmelAudioProcessor::setParameter(int index, float value)
{
    // A NaN or infinity from a host or a state block would poison the engine; it is ignored.
    if (!isParameterIndex(index) || !std::isfinite(value))
        return;

    paramValues[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
    deriveSetting(index);
    parametersChanged.store(true, std::memory_order_relaxed);
}

// Two writers of one parameter (a controller on the audio thread, automation or a restore
// elsewhere) may interleave, and prepareToPlay may change the rate a delay length is derived at.
// The setting is derived from what is stored at the rate that is current, and derived again while
// another writer changed either under us, so the engine always ends on the stored value at the
// current rate. The fences order our store before our reading it and our setting before the
// check, so that a setting derived from older inputs cannot land after the newer one.
void MurmelAudioProcessor::deriveSetting(int index) noexcept
{
    const auto& stored = paramValues[static_cast<std::size_t>(index)];
    const auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
    float applied = 0.0f;
    float rate = 0.0f;
    do
    {
        std::atomic_thread_fence(std::memory_order_seq_cst);
        applied = stored.load(std::memory_order_relaxed);
        rate = currentSampleRate.load(std::memory_order_relaxed);
        applyParameter(index, applied, rate);
        std::atomic_thread_fence(std::memory_order_seq_cst);
    } while (bits(stored.load(std::memory_order_relaxed)) != bits(applied) ||
             bits(currentSampleRate.load(std::memory_order_relaxed)) != bits(rate));
}

void MurmelAudioProcessor::applyParameter(int index, float value, float sampleRate) noexcept
{
    applyEngineSetting(engine, outputStage, index, value, sampleRate);
}

int MurmelAudioProcessor::getNumPrograms()
{
    return 1;
}

int MurmelAudioProcessor::getCurrentProgram()
{
    return 0;
}

void MurmelAudioProcessor::setCurrentProgram(int) {}

const juce::String MurmelAudioProcessor::getProgramName(int index)
{
    return index == 0 ? "Default" : "Other";
}

void MurmelAudioProcessor::changeProgramName(int, const juce::String&) {}

} // namespace halvo
