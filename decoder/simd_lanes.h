// The lane operations the transforms' twins are written in, on 32-bit lanes: Sse2Lanes, four
// lanes in a 128-bit register, and Avx2Lanes, eight in a 256-bit one. Each operation is one
// definition for both widths, written with the compiler's vector operators (lane by lane,
// sums modulo 2^32, >> arithmetic) wherever they say it, with an intrinsic where they cannot:
//   MulAdd16(x, y)     x and y hold signed 16-bit pairs (low, high):
//                      x.low * y.low + x.high * y.high
//   MulPairs(x, a, b)  MulAdd16 with the pair (a, b) in every lane
//   MulS16(x, k)       S16(x) * k: the low 16 bits of x, read as a signed number, times k
//   Select(m, a, b)    a where the lane of m is all 1-bits (as ZeroMask makes it), else b
//   Pack16(a, b)       the lanes of a and b saturated to 16 bits, a's then b's in each
//                      128-bit half; Clamp16 and LowBytes16 work on such 16-bit lanes
// The constants k, a and b fit in 16 signed bits. An AVX2 file includes this header after
// ORVIK_AVX2_BEGIN (platform/simd_support.h).
#pragma once

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstdint>
#include <cstring>

namespace orvik {
namespace {

// What the vector operators cannot say, for each register width.
inline __m128i MulAdd16(__m128i x, __m128i y) {
    return _mm_madd_epi16(x, y);
}
inline __m128i Pack16(__m128i a, __m128i b) {
    return _mm_packs_epi32(a, b);
}
inline __m128i Clamp16(__m128i x, __m128i low, __m128i high) {
    return _mm_min_epi16(_mm_max_epi16(x, low), high);
}
inline bool AllZero(__m128i x) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_setzero_si128())) == 0xFFFF;
}
ORVIK_AVX2_BEGIN
inline __m256i MulAdd16(__m256i x, __m256i y) {
    return _mm256_madd_epi16(x, y);
}
inline __m256i Pack16(__m256i a, __m256i b) {
    return _mm256_packs_epi32(a, b);
}
inline __m256i Clamp16(__m256i x, __m256i low, __m256i high) {
    return _mm256_min_epi16(_mm256_max_epi16(x, low), high);
}
inline bool AllZero(__m256i x) {
    return _mm256_testz_si256(x, x) != 0;
}
ORVIK_AVX2_END

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
    // Sums, differences and left shifts on unsigned lanes, which wrap; >> on signed ones.
    typedef std::uint32_t U32 __attribute__((vector_size(4 * N)));
    typedef std::int32_t I32 __attribute__((vector_size(4 * N)));
    typedef std::int16_t I16 __attribute__((vector_size(4 * N)));
    static constexpr int kCount = N;

    static V Load(const std::int32_t* at) {
        V v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    static V Add(V a, V b) { return V(U32(a) + U32(b)); }
    static V Sub(V a, V b) { return V(U32(a) - U32(b)); }
    static V Or(V a, V b) { return a | b; }
    static V Splat(std::int32_t x) { return V(I32{} + x); }
    static V ShiftLeft(V x, int n) { return V(U32(x) << n); }
    // (x + 2^(shift - 1)) >> shift
    static V Descale(V x, int shift) { return V(I32(U32(x) + (1u << (shift - 1))) >> shift); }
    static V MulAdd16(V x, V y) { return orvik::MulAdd16(x, y); }
    static V MulPairs(V x, std::int32_t a, std::int32_t b) {
        const auto pair = static_cast<std::int32_t>((static_cast<std::uint32_t>(b) << 16) |
                                                    (static_cast<std::uint32_t>(a) & 0xFFFF));
        return MulAdd16(x, Splat(pair));
    }
    static V MulS16(V x, std::int32_t k) { return MulPairs(x, k, 0); }
    static V ZeroMask(V x) { return V(U32(x) == 0); }
    static V Select(V m, V a, V b) { return V(I32(m) ? I32(a) : I32(b)); }
    static bool AllZero(V x) { return orvik::AllZero(x); }
    static V Pack16(V a, V b) { return orvik::Pack16(a, b); }
    static V Clamp16(V x, std::int16_t low, std::int16_t high) {
        return orvik::Clamp16(x, V(I16{} + low), V(I16{} + high));
    }
    static V LowBytes16(V x) { return V(I16(x) & 0xFF); }
};

using Sse2Lanes = Lanes<4>;
using Avx2Lanes = Lanes<8>;

}  // namespace
}  // namespace orvik

#endif
