#pragma once

#include "engine/FdnReverb.h"

namespace halvo
{

// The chain's block kernels for one instruction set. Each set's kernels are built from the same
// source in their own file, compiled for that set; all give the same bits.
struct VectorKernels
{
    // Processes a block of the network; out holds one channel (all lines) or two (even lines,
    // odd lines).
    using Reverb = void (*)(std::array<DelayLine, FdnReverb::numLines>& lines,
                            std::array<float, FdnReverb::numLines>& lineState,
                            const ReverbLevels& levels, const float* in, float* const* out,
                            int numSamples) noexcept;
    // out[i] = float(scale * sin(double(arguments[i]))), exactly as with std::sin; in place
    // allowed.
    using RoundedSines = void (*)(const float* arguments, float* out, int count,
                                  double scale) noexcept;

    Reverb reverbMono;
    Reverb reverbStereo;
    RoundedSines roundedSines;
};

#if defined(__aarch64__)
extern const VectorKernels vectorKernelsNeon;
#elif defined(__wasm__)
extern const VectorKernels vectorKernelsSse2;
#else
extern const VectorKernels vectorKernelsSse2;
extern const VectorKernels vectorKernelsAvx2;
extern const VectorKernels vectorKernelsAvx512;
#endif

// The kernels of the active instruction set (engine/InstructionSet.h).
const VectorKernels& activeKernels() noexcept;

} // namespace halvo
