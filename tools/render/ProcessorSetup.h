#pragma once

#include "RenderOptions.h"
#include "engine/MurmelAudioProcessor.h"
#include "presets/FactoryPresets.h"

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

// Applies a factory preset's state block, as a host loading the preset does.
void applyPreset(MurmelAudioProcessor& processor, const FactoryPreset& preset);

// --map, --midi-channel and --set, in that order, after any saved state and preset.
void applyStartSettings(MurmelAudioProcessor& processor, const HostParameters& parameters,
                        const RenderOptions& options);

} // namespace halvo::render
