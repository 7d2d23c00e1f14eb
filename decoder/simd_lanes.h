// The lane operations the transforms' twins are written in, on 32-bit lanes: Sse2Lanes, four
// lanes in a 128-bit register, and Avx2Lanes, eight in a 256-bit one. Each operation is one
// definition for both widths, written with the compiler's vector operators (lane by lane,
// sums modulo 2^32, >> arithmetic) wherever they say it, with an intrinsic where they cannot:
//   MulAdd16(x, y)     x and y hold signed 16-bit pairs (low, high):
//                      x.low * y.low + x.high * y.high
//   MulPairs(x, a, b)  MulAdd16 with the pair (a, b) in every lane
//   MulS16(x, k)       S16(x) * k: the low 16 bits of x, read as a signed number, times k
//   Select(m, a, b)    a where the lane of m is all 1-bits (as ZeroMask makes it), else b
// The constants k, a and b fit in 16 signed bits. An AVX2 file includes this header after
// ORVIK_AVX2_BEGIN (decoder/simd_support.h).
#pragma once

#include "decoder/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstdint>
#include <cstring>

namespace orvik {
namespace {

template <int kCount>
struct LaneRegister;
template <>
struct LaneRegister<4> {
    using Type = __m128i;
};
template <>
struct LaneRegister<8> {
    using Type = __m256i;
};

template <int N>
struct Lanes {
    using V = typename LaneRegister<N>::Type;
    typedef std::int32_t I32 __attribute__((vector_size(4 * N)));
    static constexpr int kCount = N;

    static V Load(const std::int32_t* at) {
        V v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    static V Add(V a, V b) { return V(I32(a) + I32(b)); }
    static V Sub(V a, V b) { return V(I32(a) - I32(b)); }
    static V Or(V a, V b) { return a | b; }
    static V ShiftLeft(V x, int n) { return V(I32(x) << n); }
    // (x + 2^(shift - 1)) >> shift
    static V Descale(V x, int shift) { return V((I32(x) + (1 << (shift - 1))) >> shift); }
    static V MulAdd16(V x, V y) {
        if constexpr (N == 4) {
            return _mm_madd_epi16(x, y);
        } else {
            return _mm256_madd_epi16(x, y);
        }
    }
    static V MulPairs(V x, std::int32_t a, std::int32_t b) {
        const auto pair = static_cast<std::int32_t>((static_cast<std::uint32_t>(b) << 16) |
                                                    (static_cast<std::uint32_t>(a) & 0xFFFF));
        return MulAdd16(x, V(I32{} + pair));
    }
    static V MulS16(V x, std::int32_t k) { return MulPairs(x, k, 0); }
    static V ZeroMask(V x) { return V(I32(x) == 0); }
    static V Select(V m, V a, V b) { return V(I32(m) ? I32(a) : I32(b)); }
    static bool AllZero(V x) {
        if constexpr (N == 4) {
            return _mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_setzero_si128())) == 0xFFFF;
        } else {
            return _mm256_testz_si256(x, x) != 0;
        }
    }
};

using Sse2Lanes = Lanes<4>;
using Avx2Lanes = Lanes<8>;

}  // namespace
}  // namespace orvik

#endif
