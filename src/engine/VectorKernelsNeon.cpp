// Built for the aarch64 baseline: GCC's 16-byte vectors are NEON registers.
using FloatVector = float __attribute__((vector_size(16)));
using IntVector = int __attribute__((vector_size(16)));
using HalfFloatVector = float __attribute__((vector_size(8)));
using HalfIntVector = int __attribute__((vector_size(8)));
using DoubleVector = double __attribute__((vector_size(16)));
using LongVector = long long __attribute__((vector_size(16)));

#include "engine/ReverbKernel.h"
#include "engine/SineKernel.h"

namespace halvo
{
const VectorKernels vectorKernelsNeon{processNetwork<1>, processNetwork<2>, roundedSines};
} // namespace halvo
