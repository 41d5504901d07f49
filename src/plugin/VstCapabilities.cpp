#include "plugin/VstCapabilities.h"

#include <cstring>
#include <iterator>

namespace halvo::vst
{
namespace
{
struct Capability
{
    const char* text;
    int answer;
};

// An instrument with MIDI input only, host bypass, and window opening on the message thread.
constexpr Capability capabilities[] = {
    {"receiveVstEvents", 1},    {"receiveVstMidiEvent", 1},   {"receiveVstMidiEvents", 1},
    {"sendVstEvents", -1},      {"sendVstMidiEvent", -1},     {"sendVstMidiEvents", -1},
    {"receiveVstTimeInfo", 1},  {"conformsToWindowRules", 1}, {"bypass", 1},
    {"openCloseAnyThread", -1},
};
} // namespace

int capabilityAnswer(const char* text) noexcept
{
    if (text == nullptr)
        return 0;
    for (const auto& capability : capabilities)
        if (std::strcmp(text, capability.text) == 0)
            return capability.answer;
    return 0;
}

} // namespace halvo::vst
