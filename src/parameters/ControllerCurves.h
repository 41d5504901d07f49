#pragma once

namespace halvo
{

// Normalised parameter value for a controller value 0..127 arriving through an assignment.
float mappedControllerValue(int parameterIndex, int controllerValue) noexcept;

// Normalised parameter value for a controller value 0..127 that is being learned.
float learnedControllerValue(int parameterIndex, int controllerValue) noexcept;

} // namespace halvo
