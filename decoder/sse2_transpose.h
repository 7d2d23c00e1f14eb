// Transposes and stores for the transforms' twins: pass 1 works on rows of lanes (one lane a
// column), pass 2 needs one lane a row. Kept inside an unnamed namespace, as every SIMD
// helper is (platform/simd_support.h). The 8 x 8 transpose of 16-bit values is written once
// for 128-bit registers and for 256-bit ones, whose unpacks work in each 128-bit half: there
// it transposes two blocks at once, one in each half.
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>
#endif

namespace orvik {
namespace {

inline __m128i UnpackLo16(__m128i a, __m128i b) {
    return _mm_unpacklo_epi16(a, b);
}
inline __m128i UnpackHi16(__m128i a, __m128i b) {
    return _mm_unpackhi_epi16(a, b);
}
inline __m128i UnpackLo32(__m128i a, __m128i b) {
    return _mm_unpacklo_epi32(a, b);
}
inline __m128i UnpackHi32(__m128i a, __m128i b) {
    return _mm_unpackhi_epi32(a, b);
}
inline __m128i UnpackLo64(__m128i a, __m128i b) {
    return _mm_unpacklo_epi64(a, b);
}
inline __m128i UnpackHi64(__m128i a, __m128i b) {
    return _mm_unpackhi_epi64(a, b);
}
#if defined(ORVIK_X86_TWINS)
ORVIK_AVX2_BEGIN
inline __m256i UnpackLo16(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi16(a, b);
}
inline __m256i UnpackHi16(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi16(a, b);
}
inline __m256i UnpackLo32(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi32(a, b);
}
inline __m256i UnpackHi32(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi32(a, b);
}
inline __m256i UnpackLo64(__m256i a, __m256i b) {
    return _mm256_unpacklo_epi64(a, b);
}
inline __m256i UnpackHi64(__m256i a, __m256i b) {
    return _mm256_unpackhi_epi64(a, b);
}
ORVIK_AVX2_END
#endif

// 8 x 8 signed 16-bit values, v[r] holding row r; afterwards v[c] holds column c (in each
// 128-bit half of a 256-bit register).
template <class V>
inline void Transpose8x16(V (&v)[8]) {
    const V a0 = UnpackLo16(v[0], v[1]);
    const V a1 = UnpackHi16(v[0], v[1]);
    const V a2 = UnpackLo16(v[2], v[3]);
    const V a3 = UnpackHi16(v[2], v[3]);
    const V a4 = UnpackLo16(v[4], v[5]);
    const V a5 = UnpackHi16(v[4], v[5]);
    const V a6 = UnpackLo16(v[6], v[7]);
    const V a7 = UnpackHi16(v[6], v[7]);
    const V b0 = UnpackLo32(a0, a2);
    const V b1 = UnpackHi32(a0, a2);
    const V b2 = UnpackLo32(a1, a3);
    const V b3 = UnpackHi32(a1, a3);
    const V b4 = UnpackLo32(a4, a6);
    const V b5 = UnpackHi32(a4, a6);
    const V b6 = UnpackLo32(a5, a7);
    const V b7 = UnpackHi32(a5, a7);
    v[0] = UnpackLo64(b0, b4);
    v[1] = UnpackHi64(b0, b4);
    v[2] = UnpackLo64(b1, b5);
    v[3] = UnpackHi64(b1, b5);
    v[4] = UnpackLo64(b2, b6);
    v[5] = UnpackHi64(b2, b6);
    v[6] = UnpackLo64(b3, b7);
    v[7] = UnpackHi64(b3, b7);
}

// 4 x 4 signed 32-bit values in place.
inline void Transpose4x32(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
    const __m128i a0 = _mm_unpacklo_epi32(r0, r1);
    const __m128i a1 = _mm_unpackhi_epi32(r0, r1);
    const __m128i a2 = _mm_unpacklo_epi32(r2, r3);
    const __m128i a3 = _mm_unpackhi_epi32(r2, r3);
    r0 = _mm_unpacklo_epi64(a0, a2);
    r1 = _mm_unpackhi_epi64(a0, a2);
    r2 = _mm_unpacklo_epi64(a1, a3);
    r3 = _mm_unpackhi_epi64(a1, a3);
}

// Eight sample rows to bytes, v[r] holding row r as 16-bit values 0..255.
inline void StoreRows8(const __m128i (&v)[8], std::uint8_t* out, int stride) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; r += 2) {
        const __m128i bytes = _mm_packus_epi16(v[r], v[r + 1]);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + static_cast<std::ptrdiff_t>(r) * stride),
                         bytes);
        _mm_storel_epi64(
            reinterpret_cast<__m128i*>(out + static_cast<std::ptrdiff_t>(r + 1) * stride),
            _mm_srli_si128(bytes, 8));
    }
}

}  // namespace
}  // namespace orvik
