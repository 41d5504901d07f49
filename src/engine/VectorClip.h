#pragma once

#include <emmintrin.h>

namespace halvo
{

// Four samples limited to [-bound, bound], a NaN becoming 0: the same bits as comparing each
// sample with the bounds in turn. The compiler's own vectorised comparisons take several times
// as many instructions as minimum and maximum, whose operand order here keeps a NaN until the
// last step.
inline __m128 limitedToBound(__m128 x, float bound) noexcept
{
    const __m128 limited = _mm_max_ps(_mm_set1_ps(-bound), _mm_min_ps(_mm_set1_ps(bound), x));
    return _mm_and_ps(limited, _mm_cmpord_ps(limited, limited));
}

} // namespace halvo
