#include "parameters/ControllerCurves.h"

#include "parameters/ParameterTable.h"

#include <cmath>

namespace halvo
{
namespace
{
float unitValue(int controllerValue) noexcept
{
    return static_cast<float>(controllerValue) / 127.0f;
}

float power(float base, double exponent) noexcept
{
    return static_cast<float>(std::pow(static_cast<double>(base), exponent));
}
} // namespace

float mappedControllerValue(int parameterIndex, int controllerValue) noexcept
{
    const float u = unitValue(controllerValue);
    switch (parameterIndex)
    {
    case rateIndex:
        return power(u, 2.0);
    case gainIndex:
        return power(u, 0.15);
    default:
        return u;
    }
}

// Gain learns on a gentler curve than it then follows through the assignment.
float learnedControllerValue(int parameterIndex, int controllerValue) noexcept
{
    const float u = unitValue(controllerValue);
    switch (parameterIndex)
    {
    case rateIndex:
        return power(u, 2.0);
    case gainIndex:
        return power(u, 0.5);
    default:
        return u;
    }
}

} // namespace halvo
