// Built with -mavx2.
using FloatVector = float __attribute__((vector_size(32)));
using IntVector = int __attribute__((vector_size(32)));
using HalfFloatVector = float __attribute__((vector_size(16)));
using HalfIntVector = int __attribute__((vector_size(16)));
using DoubleVector = double __attribute__((vector_size(32)));
using LongVector = long long __attribute__((vector_size(32)));

#include "engine/ReverbKernel.h"
#include "engine/SineKernel.h"

namespace halvo
{
const VectorKernels vectorKernelsAvx2{processNetwork<1>, processNetwork<2>, roundedSines};
} // namespace halvo
