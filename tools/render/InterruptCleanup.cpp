#include "InterruptCleanup.h"

#include <array>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace halvo::render
{
namespace
{
// Fixed storage, as only unlink() and _exit() may be called from the handler.
constexpr std::size_t maxFiles = 8;
constexpr std::size_t maxPathBytes = 4096;
std::array<std::array<char, maxPathBytes>, maxFiles> paths{};
std::array<volatile std::sig_atomic_t, maxFiles> inUse{};

extern "C" void removeFilesAndExit(int signalNumber)
{
    for (std::size_t i = 0; i < maxFiles; ++i)
        if (inUse[i] != 0)
            ::unlink(paths[i].data());
    ::_exit(128 + signalNumber);
}

void installHandlers()
{
    static const bool installed = []
    {
        std::signal(SIGINT, removeFilesAndExit);
        std::signal(SIGTERM, removeFilesAndExit);
        std::signal(SIGHUP, removeFilesAndExit);
        return true;
    }();
    (void)installed;
}
} // namespace

void removeOnInterrupt(const juce::File& temporaryFile)
{
    installHandlers();
    const auto path = temporaryFile.getFullPathName().toStdString();
    if (path.size() >= maxPathBytes)
        return;
    for (std::size_t i = 0; i < maxFiles; ++i)
        if (inUse[i] == 0)
        {
            std::memcpy(paths[i].data(), path.c_str(), path.size() + 1);
            inUse[i] = 1;
            return;
        }
}

void forgetOnInterrupt(const juce::File& temporaryFile)
{
    const auto path = temporaryFile.getFullPathName().toStdString();
    for (std::size_t i = 0; i < maxFiles; ++i)
        if (inUse[i] != 0 && path == paths[i].data())
            inUse[i] = 0;
}

} // namespace halvo::render
