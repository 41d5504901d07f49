#pragma once

// Four samples at a time for the chain's stages outside the block kernels, as GCC's generic
// vectors: arithmetic and comparisons compile to SSE2 on x86 and to NEON on aarch64, with the same
// bits. Only what generic vectors cannot say is written per architecture. Emscripten translates
// the SSE2 intrinsics into WebAssembly SIMD.
#if defined(__x86_64__) || defined(__i386__) || defined(__wasm_simd128__)
#include <emmintrin.h>
#elif defined(__aarch64__)
#include <arm_neon.h>
#else
#error "no four-sample operations for this architecture"
#endif

#include <cstring>

namespace halvo
{

using Float4 = float __attribute__((vector_size(16)));
// What comparing two Float4 gives: all bits set in the lanes where it holds.
using Mask4 = int __attribute__((vector_size(16)));

inline Float4 load4(const float* from) noexcept
{
    Float4 v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

inline void store4(float* to, Float4 v) noexcept
{
    std::memcpy(to, &v, sizeof v);
}

inline Float4 broadcast4(float x) noexcept
{
    return Float4{} + x;
}

inline Float4 masked(Float4 v, Mask4 keep) noexcept
{
    return reinterpret_cast<Float4>(reinterpret_cast<Mask4>(v) & keep);
}

inline bool allLanes(Mask4 m) noexcept
{
#if defined(__aarch64__)
    return vminvq_u32(vreinterpretq_u32_s32(m)) != 0;
#else
    return _mm_movemask_ps(reinterpret_cast<__m128>(m)) == 0xf;
#endif
}

// Four samples limited to [-bound, bound], a NaN becoming 0: the same bits as comparing each
// sample with the bounds in turn. The compiler's own vectorised comparisons take several times
// as many instructions as minimum and maximum. SSE2's keep a NaN operand in the second place,
// NEON's always; either way the NaN reaches the last step.
inline Float4 limitedToBound(Float4 x, float bound) noexcept
{
#if defined(__aarch64__)
    const float32x4_t limited = vmaxq_f32(vdupq_n_f32(-bound), vminq_f32(vdupq_n_f32(bound), x));
    return masked(limited, vreinterpretq_s32_u32(vceqq_f32(limited, limited)));
#else
    const __m128 limited = _mm_max_ps(_mm_set1_ps(-bound), _mm_min_ps(_mm_set1_ps(bound), x));
    return _mm_and_ps(limited, _mm_cmpord_ps(limited, limited));
#endif
}

} // namespace halvo
