#include "plugin/VstHostLink.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace halvo::vst
{
namespace
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
// The client's requests fst-dev leaves without numbers, and the interface's numbers for them.
constexpr struct
{
    int clientOpcode;
    int hostOpcode;
} placeholderRequests[] = {
    {audioMasterIOChanged, 13},
    {audioMasterVendorSpecific, 35},
    {audioMasterUpdateDisplay, 42},
};

// The frame rates hosts report, and the placeholder the client compares each with.
constexpr struct
{
    int hostRate;
    int clientRate;
} frameRates[] = {
    {0, kVstSmpte24fps},    {1, kVstSmpte25fps},   {2, kVstSmpte2997fps},  {3, kVstSmpte30fps},
    {4, kVstSmpte2997dfps}, {5, kVstSmpte30dfps},  {6, kVstSmpteFilm16mm}, {7, kVstSmpteFilm35mm},
    {10, kVstSmpte239fps},  {11, kVstSmpte249fps}, {12, kVstSmpte599fps},  {13, kVstSmpte60fps},
};
#pragma GCC diagnostic pop

// Placeholders start here; no interface number comes near.
constexpr int firstPlaceholder = 100000;

// The time info as hosts lay it out. fst-dev's struct has guessed fields where the SMPTE offset
// and frame rate are and puts those two after the end of the hosts' struct.
struct HostTimeInfo
{
    double samplePos, sampleRate, nanoSeconds, ppqPos, tempo, barStartPos, cycleStartPos,
        cycleEndPos;
    std::int32_t timeSigNumerator, timeSigDenominator, smpteOffset, smpteFrameRate,
        samplesToNextClock, flags;
};
static_assert(sizeof(HostTimeInfo) == 88);
static_assert(offsetof(VstTimeInfo, flags) == offsetof(HostTimeInfo, flags));

// One record's host. Found from the audio thread too, so the table is fixed and lock-free; the
// time info is written only on the thread that processes the record.
struct HostLink
{
    std::atomic<const AEffect*> effect{nullptr};
    std::atomic<audioMasterCallback> host{nullptr};
    std::atomic_flag taken = ATOMIC_FLAG_INIT;
    VstTimeInfo timeInfo{};
};
constexpr std::size_t maximumLinks = 256;
std::array<HostLink, maximumLinks> links;

// While JUCE's entry point runs, the record is not yet known: its calls go to the host that
// asked for it. Beyond the table's size, records share the latest host.
std::mutex creating;
std::atomic<audioMasterCallback> creatingHost{nullptr};
std::atomic<audioMasterCallback> latestHost{nullptr};

HostLink* findLink(const AEffect* effect) noexcept
{
    if (effect == nullptr)
        return nullptr;
    for (auto& link : links)
        if (link.effect.load(std::memory_order_acquire) == effect)
            return &link;
    return nullptr;
}

void link(const AEffect* effect, audioMasterCallback host) noexcept
{
    for (auto& slot : links)
        if (!slot.taken.test_and_set(std::memory_order_acquire))
        {
            slot.host.store(host);
            slot.effect.store(effect, std::memory_order_release);
            return;
        }
}

int hostOpcode(int clientOpcode) noexcept
{
    for (const auto& request : placeholderRequests)
        if (request.clientOpcode == clientOpcode)
            return request.hostOpcode;
    return clientOpcode;
}

int clientFrameRate(std::int32_t hostRate) noexcept
{
    for (const auto& rate : frameRates)
        if (rate.hostRate == hostRate)
            return rate.clientRate;
    return -1;
}

VstIntPtr timeInfoForClient(HostLink* link, VstIntPtr hostAnswer) noexcept
{
    if (link == nullptr || hostAnswer == 0)
        return 0;
    HostTimeInfo host;
    std::memcpy(&host, reinterpret_cast<const void*>(hostAnswer), sizeof host);
    auto& client = link->timeInfo;
    std::memcpy(&client, &host, offsetof(HostTimeInfo, smpteOffset));
    client.currentBar = 0;
    client.magic = 0;
    client.samplesToNextClock = host.samplesToNextClock;
    client.flags = host.flags;
    client.smpteFrameRate = clientFrameRate(host.smpteFrameRate);
    client.smpteOffset = host.smpteOffset;
    return reinterpret_cast<VstIntPtr>(&client);
}

VstIntPtr callHost(AEffect* effect, int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    auto* const link = findLink(effect);
    auto host = link != nullptr ? link->host.load() : creatingHost.load();
    if (host == nullptr)
        host = latestHost.load();
    const int opcodeForHost = hostOpcode(opcode);
    if (host == nullptr || opcodeForHost >= firstPlaceholder)
        return 0;
    const auto answer = host(effect, opcodeForHost, index, value, ptr, opt);
    return opcode == audioMasterGetTime ? timeInfoForClient(link, answer) : answer;
}
} // namespace

AEffect* createLinkedToHost(AEffect* (*create)(audioMasterCallback), audioMasterCallback host)
{
    if (host == nullptr)
        return nullptr;
    const std::lock_guard<std::mutex> lock(creating);
    struct CreatingFor
    {
        explicit CreatingFor(audioMasterCallback h) noexcept { creatingHost.store(h); }
        ~CreatingFor() { creatingHost.store(nullptr); }
        CreatingFor(const CreatingFor&) = delete;
        CreatingFor& operator=(const CreatingFor&) = delete;
    } creatingFor(host);
    latestHost.store(host);
    AEffect* const effect = create(&callHost);
    if (effect != nullptr)
        link(effect, host);
    return effect;
}

void unlinkFromHost(const AEffect* effect) noexcept
{
    if (auto* link = findLink(effect))
    {
        link->effect.store(nullptr, std::memory_order_release);
        link->host.store(nullptr);
        link->taken.clear(std::memory_order_release);
    }
}

} // namespace halvo::vst
