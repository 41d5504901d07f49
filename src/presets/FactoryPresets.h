#pragma once

#include "parameters/ParameterTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace halvo
{

// A sound to start from. Hosts, the renderer and the Standalone all get the presets from here; the
// build writes every format's preset files from this table.
struct FactoryPreset
{
    const char* name;        // at most maxPresetNameLength characters, so host lists show it whole
    const char* description; // one line
    std::array<float, numParameters> values; // normalised, in parameter index order
};

inline constexpr std::size_t maxPresetNameLength = 24;
inline constexpr std::size_t numFactoryPresets = 16;

const std::array<FactoryPreset, numFactoryPresets>& factoryPresets();

// Case-insensitive lookup by name; nullptr when there is no such preset.
const FactoryPreset* findFactoryPreset(std::string_view name);

// The state block a preset is: its seven values, nothing about controllers.
std::vector<char> presetStateBlock(const FactoryPreset& preset);

// The name in lower case with every run of other characters a single '-': "Dub Siren" gives
// "dub-siren". Used where a name must be a file name or part of a URI.
std::string presetSlug(std::string_view name);

} // namespace halvo
