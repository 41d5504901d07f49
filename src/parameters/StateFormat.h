#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "parameters/ParameterTable.h"

namespace halvo
{

// Everything a saved instance carries: the seven values, the controller channel and assignments.
struct PluginState
{
    std::array<float, numParameters> parameters{};
    int midiChannel = 0;
    std::array<int, numParameters> midiMap{};
};

// The state block: magic 0x21324356, the text length N, N bytes of one-line XML, a zero byte.
inline constexpr std::uint32_t stateMagic = 0x21324356;

std::string stateXmlText(const PluginState& state);
std::vector<char> writeStateBlock(const PluginState& state);

// A block of the seven values alone, in the order a saved block holds them: reading it leaves the
// controller channel and assignments as they are (a preset changes the sound, not the controllers).
std::vector<char> writeParameterBlock(const std::array<float, numParameters>& parameters);

// One recognised element of a block, in document order.
struct StateEntry
{
    enum class Kind
    {
        parameter,
        midiChannel,
        midiAssignment
    };

    Kind kind;
    int parameterIndex; // for parameter and midiAssignment
    float parameterValue;
    int integerValue;
};

// The recognised elements of a block, or nothing when the block cannot be read.
std::optional<std::vector<StateEntry>> readStateBlock(const void* data, int sizeInBytes);

// Applies a block's entries in document order: values through the instrument's setParameter, the
// controller channel and assignments as they were read.
template <typename SetParameter>
void applyStateEntries(const std::vector<StateEntry>& entries, SetParameter&& setParameter,
                       std::atomic<int>& midiChannel,
                       std::array<std::atomic<int>, numParameters>& midiMap)
{
    for (const auto& entry : entries)
    {
        switch (entry.kind)
        {
        case StateEntry::Kind::parameter:
            setParameter(entry.parameterIndex, entry.parameterValue);
            break;
        case StateEntry::Kind::midiChannel:
            midiChannel.store(entry.integerValue, std::memory_order_relaxed);
            break;
        case StateEntry::Kind::midiAssignment:
            midiMap[static_cast<std::size_t>(entry.parameterIndex)].store(
                entry.integerValue, std::memory_order_relaxed);
            break;
        }
    }
}

} // namespace halvo
