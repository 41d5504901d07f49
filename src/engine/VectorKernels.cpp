#include "engine/VectorKernels.h"

#include "engine/InstructionSet.h"

namespace halvo
{

const VectorKernels& activeKernels() noexcept
{
#if defined(__aarch64__)
    return vectorKernelsNeon;
#elif defined(__wasm__)
    return vectorKernelsSse2;
#else
    switch (activeInstructionSet())
    {
    case InstructionSet::avx512:
        return vectorKernelsAvx512;
    case InstructionSet::avx2:
        return vectorKernelsAvx2;
    case InstructionSet::sse2:
    case InstructionSet::neon:
        break;
    }
    return vectorKernelsSse2;
#endif
}

} // namespace halvo
