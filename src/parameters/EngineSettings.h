#pragma once

#include "engine/OutputStage.h"
#include "engine/SoundEngine.h"

namespace halvo
{

// Gives the engine the setting a parameter's normalised value stands for, the delay time counted
// at the host's rate. An index outside the table does nothing.
void applyEngineSetting(SoundEngine& engine, OutputStage& outputStage, int index, float value,
                        float sampleRate) noexcept;

} // namespace halvo
