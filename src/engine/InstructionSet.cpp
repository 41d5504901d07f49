#include "engine/InstructionSet.h"

#include <atomic>

namespace halvo
{

namespace
{

InstructionSet widestSupported() noexcept
{
    if (isSupported(InstructionSet::neon))
        return InstructionSet::neon;
    if (isSupported(InstructionSet::avx512))
        return InstructionSet::avx512;
    if (isSupported(InstructionSet::avx2))
        return InstructionSet::avx2;
    return InstructionSet::sse2;
}

// Chosen on first use (a plain store, so no lock on the audio thread); -1 until then.
std::atomic<int> activeSet{-1};

} // namespace

bool isSupported(InstructionSet set) noexcept
{
#if defined(__aarch64__)
    return set == InstructionSet::neon;
#elif defined(__wasm__)
    return set == InstructionSet::sse2;
#else
    __builtin_cpu_init();
    switch (set)
    {
    case InstructionSet::sse2:
        return true;
    case InstructionSet::avx2:
        return __builtin_cpu_supports("avx2");
    case InstructionSet::avx512:
        return __builtin_cpu_supports("avx512f");
    case InstructionSet::neon:
        break;
    }
    return false;
#endif
}

InstructionSet activeInstructionSet() noexcept
{
    int set = activeSet.load(std::memory_order_relaxed);
    if (set < 0)
    {
        set = static_cast<int>(widestSupported());
        activeSet.store(set, std::memory_order_relaxed);
    }
    return static_cast<InstructionSet>(set);
}

bool forceInstructionSet(InstructionSet set) noexcept
{
    if (!isSupported(set))
        return false;
    activeSet.store(static_cast<int>(set), std::memory_order_relaxed);
    return true;
}

const char* instructionSetName(InstructionSet set) noexcept
{
    switch (set)
    {
    case InstructionSet::sse2:
        return "sse2";
    case InstructionSet::avx2:
        return "avx2";
    case InstructionSet::avx512:
        return "avx512";
    case InstructionSet::neon:
        return "neon";
    }
    return "?";
}

} // namespace halvo
