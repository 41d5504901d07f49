#include "parameters/StateFormat.h"
#include "parameters/StateTextCheck.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace
{
using halvo::PluginState;
using halvo::StateEntry;

PluginState defaultState()
{
    PluginState state;
    for (std::size_t i = 0; i < state.parameters.size(); ++i)
    {
        state.parameters[i] = halvo::parameterTable[i].defaultValue;
        state.midiMap[i] = -1;
    }
    return state;
}

// What setStateInformation does to the processor, without the engine: values pass the non-finite
// filter of setParameter, controller entries are stored as read.
bool restore(PluginState& state, const void* data, int size)
{
    const auto entries = halvo::readStateBlock(data, size);
    if (!entries)
        return false;
    for (const auto& entry : *entries)
    {
        if (entry.kind == StateEntry::Kind::midiChannel)
        {
            state.midiChannel = entry.integerValue;
            continue;
        }
        const auto index = static_cast<std::size_t>(entry.parameterIndex);
        if (index >= state.parameters.size())
            std::abort();
        if (entry.kind == StateEntry::Kind::midiAssignment)
            state.midiMap[index] = entry.integerValue;
        else if (std::isfinite(entry.parameterValue))
            state.parameters[index] = entry.parameterValue;
    }
    return true;
}

bool restoreBlock(PluginState& state, const std::vector<char>& block)
{
    return restore(state, block.data(), static_cast<int>(block.size()));
}
} // namespace

// Any byte string: the reader returns, and whatever it leaves is saved in a form it reads back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > static_cast<std::size_t>(INT_MAX))
        return 0;

    // The check reads any text a bounded number of times, however it repeats itself.
    const auto* text = reinterpret_cast<const char*>(data);
    const auto* zero = static_cast<const char*>(std::memchr(text, 0, size));
    const std::string_view beforeZero(text, zero != nullptr ? static_cast<std::size_t>(zero - text)
                                                            : size);
    halvo::XmlParserWork work;
    halvo::isSafeForXmlParser(beforeZero, work);
    if (work.check > 64 * beforeZero.size() + 256)
        std::abort();

    PluginState state = defaultState();
    if (!restore(state, data, static_cast<int>(size)))
        return 0;

    const auto saved = halvo::writeStateBlock(state);
    PluginState reread;
    if (!restoreBlock(reread, saved))
        std::abort();
    const auto savedAgain = halvo::writeStateBlock(reread);
    PluginState rereadAgain;
    if (!restoreBlock(rereadAgain, savedAgain) || halvo::writeStateBlock(rereadAgain) != savedAgain)
        std::abort();
    return 0;
}
