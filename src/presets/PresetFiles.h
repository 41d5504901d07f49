#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvo
{

// The preset files hosts read, each carrying a state block as it is.

// The VST3 preset (.vstpreset): header with the component's class ID, the state block as the
// component state, a meta information chunk naming the plug-in, and the chunk list.
std::vector<char> writeVst3PresetFile(const std::vector<char>& state, std::string_view presetName);

// A VST 2.4 program file (.fxp) in chunk form: the state block as the program's chunk.
std::vector<char> writeFxpFile(const std::vector<char>& state, std::string_view programName);

// The component class ID JUCE's VST3 client gives the plug-in, as the 32 hex digits preset
// files carry.
std::string vst3ComponentClassId();

// The state block inside a .vstpreset or .fxp file of this plug-in, or a file that is a state
// block itself; nothing when the data is none of these or the block is one the reader refuses.
std::optional<std::vector<char>> stateFromPresetFile(const void* data, std::size_t size);

} // namespace halvo
