// The lane operations the SIMD twins of the transforms and the conversions are written in, one
// set for both. First the instructions that work within each 128-bit half of a register,
// overloaded for 128-bit (SSE2) and 256-bit (AVX2) registers:
//   MulAdd16(x, y)             x and y hold signed 16-bit pairs (low, high) in each 32-bit lane:
//                              x.low * y.low + x.high * y.high, exact in 32 bits
//   MulHigh16(x, y)            the high half of each signed 16 x 16-bit product
//   PackSaturate32To16(a, b)   the 32-bit lanes of a and b saturated to 16 bits, a's then b's
//                              in each 128-bit half
//   InterleaveLow16(a, b)      the low four 16-bit lanes of a and of b in each half, taken
//                              alternately (a first); InterleaveHigh16 the high four; the 32-
//                              and 64-bit forms likewise with two lanes and one
//   Clamp16(x, low, high)      each signed 16-bit lane limited to low..high
//   AllZero(x)                 true when every bit of x is 0
// Then Lanes<N>: N 32-bit lanes (4 for SSE2, 8 for AVX2), each operation written once for
// both widths with the compiler's vector operators wherever they say it (sums modulo 2^32,
// >> arithmetic) and with the overloads above where they cannot.
//
// Everything is inline and inside an unnamed namespace, so each file that includes this
// header has copies of its own. An AVX2 twin's file includes it after ORVIK_AVX2_BEGIN
// (platform/simd_support.h), so that its copies are AVX2 code that no SSE2 path can reach;
// the standard headers included here must come before ORVIK_AVX2_BEGIN in such a file.
#pragma once

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstdint>
#include <cstring>

namespace orvik {
namespace {

inline __m128i MulAdd16(__m128i x, __m128i y) {
    return _mm_madd_epi16(x, y);
}
inline __m128i MulHigh16(__m128i x, __m128i y) {
    return _mm_mulhi_epi16(x, y);
}
inline __m128i PackSaturate32To16(__m128i a, __m128i b) {
    return _mm_packs_epi32(a, b);
}
inline __m128i InterleaveLow16(__m128i a, __m128i b) {
    return _mm_unpacklo_epi16(a, b);
}
inline __m128i InterleaveHigh16(__m128i a, __m128i b) {
    return _mm_unpackhi_epi16(a, b);
}
inline __m128i InterleaveLow32(__m128i a, __m128i b) {
    return _mm_unpacklo_epi32(a, b);
}
inline __m128i InterleaveHigh32(__m128i a, __m128i b) {
    return _mm_unpackhi_epi32(a, b);
}
inline __m128i InterleaveLow64(__m128i a, __m128i b) {
    return _mm_unpacklo_epi64(a, b);
}
inline __m128i InterleaveHigh64(__m128i a, __m128i b) {
    return _mm_unpackhi_epi64(a, b);
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
inline __m256i MulHigh16(__m256i x, __m256i y) {
    return _mm256_mulhi_epi16(x, y);
}
inline __m256i PackSaturate32To16(__m256i a, __m256i b) {
    return _mm256_packs_epi32(a, b);
}
inline __m256i InterleaveLow16(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi16(a, b);
}
inline __m256i InterleaveHigh16(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi16(a, b);
}
inline __m256i InterleaveLow32(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi32(a, b);
}
inline __m256i InterleaveHigh32(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi32(a, b);
}
inline __m256i InterleaveLow64(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi64(a, b);
}
inline __m256i InterleaveHigh64(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi64(a, b);
}
inline __m256i Clamp16(__m256i x, __m256i low, __m256i high) {
    return _mm256_min_epi16(_mm256_max_epi16(x, low), high);
}
inline bool AllZero(__m256i x) {
    return _mm256_testz_si256(x, x) != 0;
}
ORVIK_AVX2_END

// The register of kBits bits (a vector type itself as a template argument would lose its
// attributes).
template <int kBits>
struct SimdRegisterOf;
template <>
struct SimdRegisterOf<128> {
    using Type = __m128i;
};
template <>
struct SimdRegisterOf<256> {
    using Type = __m256i;
};
template <int kBits>
using SimdRegister = typename SimdRegisterOf<kBits>::Type;

template <int N>
struct Lanes {
    using V = SimdRegister<32 * N>;
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
    // The low 16 bits of low and of high as the pair (low, high) in every lane: the constant
    // operand of a MulAdd16.
    static V SplatPair(std::int32_t low, std::int32_t high) {
        return Splat(static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) |
                                               (static_cast<std::uint32_t>(low) & 0xFFFF)));
    }
    static V ShiftLeft(V x, int n) { return V(U32(x) << n); }
    // (x + 2^(shift - 1)) >> shift
    static V Descale(V x, int shift) { return V(I32(U32(x) + (1u << (shift - 1))) >> shift); }
    static V MulAdd16(V x, V y) { return orvik::MulAdd16(x, y); }
    // MulAdd16 with the pair (a, b) in every lane; a and b fit in 16 signed bits.
    static V MulPairs(V x, std::int32_t a, std::int32_t b) { return MulAdd16(x, SplatPair(a, b)); }
    // S16(x) * k: the low 16 bits of x, read as a signed number, times k.
    static V MulS16(V x, std::int32_t k) { return MulPairs(x, k, 0); }
    // All 1-bits in the lanes that are 0, for Select.
    static V ZeroMask(V x) { return V(U32(x) == 0); }
    // a where the lane of m is all 1-bits, else b.
    static V Select(V m, V a, V b) { return V(I32(m) ? I32(a) : I32(b)); }
    static bool AllZero(V x) { return orvik::AllZero(x); }
    // True when every lane, as a signed number, lies within low..high.
    static bool AllWithin(V x, std::int32_t low, std::int32_t high) {
        return AllZero(V((I32(x) < low) | (I32(x) > high)));
    }
    static V PackSaturate32To16(V a, V b) { return orvik::PackSaturate32To16(a, b); }
    // On the 16-bit lanes of a packed register.
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
