#include "engine/VectorKernels.h"

#include "engine/InstructionSet.h"

namespace halvo
{

const VectorKernels& activeKernels() noexcept
{
    switch (activeInstructionSet())
    {
    case InstructionSet::avx512:
        return vectorKernelsAvx512;
    case InstructionSet::avx2:
        return vectorKernelsAvx2;
    case InstructionSet::sse2:
        break;
    }
    return vectorKernelsSse2;
}

} // namespace halvo
