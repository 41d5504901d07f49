#include "plugin/VstShell.h"

#include "HalvoIdentity.h"
#include "plugin/VstCapabilities.h"
#include "plugin/VstHostLink.h"

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

// The speaker arrangement and speaker types fst-dev numbers with placeholders, which JUCE's client
// writes into its answers, and the interface's numbers for them.
constexpr struct
{
    int clientValue;
    int hostValue;
} arrangementTypes[] =
    {
        {kSpeakerArrStereoSurround, 2},
        {kSpeakerArrStereoCenter, 3},
        {kSpeakerArrStereoSide, 4},
        {kSpeakerArrStereoCLfe, 5},
        {kSpeakerArr30Cine, 6},
        {kSpeakerArr30Music, 7},
        {kSpeakerArr31Cine, 8},
        {kSpeakerArr31Music, 9},
        {kSpeakerArr40Cine, 10},
        {kSpeakerArr40Music, 11},
        {kSpeakerArr41Cine, 12},
        {kSpeakerArr41Music, 13},
        {kSpeakerArr50, 14},
        {kSpeakerArr51, 15},
        {kSpeakerArr60Cine, 16},
        {kSpeakerArr60Music, 17},
        {kSpeakerArr61Cine, 18},
        {kSpeakerArr61Music, 19},
        {kSpeakerArr70Cine, 20},
        {kSpeakerArr70Music, 21},
        {kSpeakerArr71Cine, 22},
        {kSpeakerArr71Music, 23},
        {kSpeakerArr80Cine, 24},
        {kSpeakerArr80Music, 25},
        {kSpeakerArr81Cine, 26},
        {kSpeakerArr81Music, 27},
},
  speakerTypes[] = {
      {kSpeakerC, 3},    {kSpeakerLfe, 4},   {kSpeakerLs, 5},
      {kSpeakerRs, 6},   {kSpeakerLc, 7},    {kSpeakerRc, 8},
      {kSpeakerS, 9},    {kSpeakerSl, 10},   {kSpeakerSr, 11},
      {kSpeakerTm, 12},  {kSpeakerTfl, 13},  {kSpeakerTfc, 14},
      {kSpeakerTfr, 15}, {kSpeakerTrl, 16},  {kSpeakerTrc, 17},
      {kSpeakerTrr, 18}, {kSpeakerLfe2, 19}, {kSpeakerUndefined, 0x7fffffff},
};
#pragma GCC diagnostic pop

// The pin flags under the interface's numbers (fst-dev has 0 for all three).
constexpr int pinIsActive = 1;
constexpr int pinIsStereo = 2;
constexpr int pinUseSpeaker = 4;

// effKeysRequired under the interface's number. Its answer is reversed for version-1 hosts: 0
// means the window needs the computer keys, which play notes in it.
constexpr int keysRequired = 57;
constexpr VstIntPtr windowNeedsKeys = 0;

template <typename Table> int hostValue(const Table& table, int clientValue) noexcept
{
    for (const auto& entry : table)
        if (entry.clientValue == clientValue)
            return entry.hostValue;
    return clientValue;
}

void correctArrangement(VstSpeakerArrangement* arrangement) noexcept
{
    if (arrangement == nullptr)
        return;
    arrangement->type = hostValue(arrangementTypes, arrangement->type);
    for (int i = 0; i < arrangement->numChannels; ++i)
        arrangement->speakers[i].type = hostValue(speakerTypes, arrangement->speakers[i].type);
}

// JUCE's client fills in a pin with flags that are all 0 here; it makes every pin it reports
// active and speaker-placed, and marks the first pin of each stereo pair.
void correctPin(VstPinProperties& pin, int index) noexcept
{
    pin.flags = pinIsActive | pinUseSpeaker;
    if (pin.arrangementType == kSpeakerArrStereo && index % 2 == 0)
        pin.flags |= pinIsStereo;
    pin.arrangementType = hostValue(arrangementTypes, pin.arrangementType);
}

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
    if (client == nullptr)
        return 0;
    const auto answer = client(effect, clientOpcode(opcode), index, value, ptr, opt);
    switch (opcode)
    {
    case effGetInputProperties:
    case effGetOutputProperties:
        if (answer != 0)
            correctPin(*static_cast<VstPinProperties*>(ptr), index);
        break;
    case effGetSpeakerArrangement:
        if (answer != 0)
        {
            correctArrangement(*reinterpret_cast<VstSpeakerArrangement**>(value));
            correctArrangement(*static_cast<VstSpeakerArrangement**>(ptr));
        }
        break;
    case effClose:
        unlinkFromHost(effect);
        break;
    default:
        break;
    }
    return answer;
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
