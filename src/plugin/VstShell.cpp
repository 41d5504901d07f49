#include "plugin/VstShell.h"

#include "HalvoIdentity.h"
#include "plugin/VstCapabilities.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace halvo::vst
{
namespace
{
// The dispatcher of the wrapped client; the same function serves every record it makes.
std::atomic<AEffectDispatcherProc> clientDispatcher{nullptr};

// Names go into the host's 64-byte buffers, terminator included.
constexpr std::size_t maxNameBytes = 64;

VstIntPtr copyName(void* destination, const char* name) noexcept
{
    if (destination == nullptr)
        return 0;
    const auto length = std::min(std::strlen(name), maxNameBytes - 1);
    std::memcpy(destination, name, length);
    static_cast<char*>(destination)[length] = '\0';
    return 1;
}

bool isChannelConfiguration(const VstSpeakerArrangement* input,
                            const VstSpeakerArrangement* output) noexcept
{
    if (input == nullptr || output == nullptr)
        return false;
    for (const auto& configuration : identity::channelConfigurations)
        if (input->numChannels == configuration[0] && output->numChannels == configuration[1])
            return true;
    return false;
}

// fst-dev has no names for a few requests and numbers them with placeholders, and JUCE's client
// was compiled to answer them under those. Hosts send the interface's own numbers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
constexpr struct
{
    int hostOpcode;
    int clientOpcode;
} placeholderOpcodes[] = {
    {44, effSetBypass},
    {52, effGetTailSize},
    {78, effGetNumMidiInputChannels},
    {79, effGetNumMidiOutputChannels},
};
#pragma GCC diagnostic pop

// effKeysRequired under the interface's number. Its answer is reversed for version-1 hosts: 0
// means the window needs the computer keys, which play notes in it.
constexpr int keysRequired = 57;
constexpr VstIntPtr windowNeedsKeys = 0;

int clientOpcode(int opcode) noexcept
{
    for (const auto& placeholder : placeholderOpcodes)
        if (placeholder.hostOpcode == opcode)
            return placeholder.clientOpcode;
    return opcode;
}

// Requests JUCE's client answers by reading or writing through the pointer argument without
// checking it first (a missing text it reads as an empty one, which would set the parameter).
// Without a pointer there is nothing to answer.
bool needsPointer(int opcode) noexcept
{
    switch (opcode)
    {
    case effEditGetRect:
    case effGetChunk:
    case effProcessEvents:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effString2Parameter:
        return true;
    default:
        return false;
    }
}

VstIntPtr dispatch(AEffect* effect, int opcode, int index, VstIntPtr value, void* const ptr,
                   float opt)
{
    switch (opcode)
    {
    case effCanDo:
        return capabilityAnswer(static_cast<const char*>(ptr));
    case effGetVendorVersion:
        return identity::vstVendorVersion;
    case effGetEffectName:
    case effGetProductString:
        return copyName(ptr, identity::productName);
    case effGetVendorString:
        return copyName(ptr, identity::manufacturer);
    case effGetSpeakerArrangement:
        if (value == 0 || ptr == nullptr)
            return 0;
        break;
    case effSetSpeakerArrangement:
        if (!isChannelConfiguration(reinterpret_cast<const VstSpeakerArrangement*>(value),
                                    static_cast<const VstSpeakerArrangement*>(ptr)))
            return 0;
        break;
    case keysRequired:
        return windowNeedsKeys;
    default:
        if (ptr == nullptr && needsPointer(opcode))
            return 0;
        break;
    }
    const auto client = clientDispatcher.load();
    return client != nullptr ? client(effect, clientOpcode(opcode), index, value, ptr, opt) : 0;
}
} // namespace

AEffect* shieldEffect(AEffect* effect) noexcept
{
    if (effect == nullptr)
        return nullptr;
    if (effect->dispatcher != &dispatch)
        clientDispatcher.store(effect->dispatcher);
    effect->dispatcher = &dispatch;
    return effect;
}

} // namespace halvo::vst
