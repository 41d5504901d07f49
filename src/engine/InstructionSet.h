#pragma once

namespace halvo
{

// The vector instructions the signal chain's block kernels are built for. Every x86-64 CPU has
// SSE2; the wider kernels run only where the CPU reports them. An aarch64 build has the NEON
// kernels only (every aarch64 CPU has NEON). All give the same bits.
enum class InstructionSet
{
    sse2,
    avx2,
    avx512,
    neon,
};

bool isSupported(InstructionSet set) noexcept;

// The widest supported set, unless one was forced.
InstructionSet activeInstructionSet() noexcept;

// Makes every chain use the given set from its next block on, so that tests can run each kernel.
// Refuses (and returns false for) a set this CPU does not support.
bool forceInstructionSet(InstructionSet set) noexcept;

const char* instructionSetName(InstructionSet set) noexcept;

} // namespace halvo
