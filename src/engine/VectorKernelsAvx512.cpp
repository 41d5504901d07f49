// Built with -mavx512f.
using FloatVector = float __attribute__((vector_size(64)));
using IntVector = int __attribute__((vector_size(64)));
using HalfFloatVector = float __attribute__((vector_size(32)));
using HalfIntVector = int __attribute__((vector_size(32)));
using DoubleVector = double __attribute__((vector_size(64)));
using LongVector = long long __attribute__((vector_size(64)));

#include "engine/ReverbKernel.h"
#include "engine/SineKernel.h"

namespace halvo
{
const VectorKernels vectorKernelsAvx512{processNetwork<1>, processNetwork<2>, roundedSines};
} // namespace halvo
