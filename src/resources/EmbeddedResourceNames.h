#pragma once

#include "EmbeddedResources.h"

#include <array>

namespace EmbeddedResources
{

// The knob strips and fonts, in the order their names were first listed.
inline constexpr std::array<const char*, 5> resourceNames{
    "RobotoRegular_ttf", "RobotoLight_ttf", "Boutonalu_50x50_png", "Boutonrouge_40x40_png",
    "Boutonvert_40x40_png"};

} // namespace EmbeddedResources
