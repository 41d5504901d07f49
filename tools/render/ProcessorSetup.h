#pragma once

#include "RenderOptions.h"
#include "engine/MurmelAudioProcessor.h"

#include <array>

namespace halvo::render
{

using HostParameters = std::array<juce::AudioProcessorParameter*, numParameters>;

// The processor's parameter objects in table order, found by name.
HostParameters findHostParameters(juce::AudioProcessor& processor);

// Channel layout, sample rate and block size, then prepareToPlay, as a host does before playing.
void prepareProcessor(MurmelAudioProcessor& processor, int numChannels, double sampleRate,
                      int blockSize);

// Applies a state block; throws RenderError if the processor could not read it.
void restoreState(MurmelAudioProcessor& processor, const juce::MemoryBlock& state,
                  const juce::File& source);

// --map, --midi-channel and --set, in that order, after any saved state.
void applyStartSettings(MurmelAudioProcessor& processor, const HostParameters& parameters,
                        const RenderOptions& options);

} // namespace halvo::render
