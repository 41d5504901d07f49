#pragma once

#include "Performance.h"
#include "ProcessorSetup.h"

#include <cstdint>
#include <functional>

namespace halvo::render
{

struct RenderSettings
{
    double sampleRate = 44100.0;
    int blockSize = 512;
    int numChannels = 2;
    std::int64_t totalSamples = 0;
};

using BlockConsumer = std::function<void(const juce::AudioBuffer<float>&)>;

// Plays the performance through a prepared processor in blocks of the chosen size (the last
// one shorter), with silent input, and hands each finished block to the consumer. Parameter
// changes are made through the parameter objects just before the block they fall in.
void renderPerformance(juce::AudioProcessor& processor, const HostParameters& parameters,
                       const Performance& performance, const RenderSettings& settings,
                       const BlockConsumer& consume);

} // namespace halvo::render
