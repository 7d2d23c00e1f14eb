// Transposes and stores for the transforms' twins: pass 1 works on rows of lanes (one lane a
// column), pass 2 needs one lane a row. Kept inside an unnamed namespace, as every SIMD
// helper is (platform/simd_support.h).
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace orvik {
namespace {

// 8 x 8 signed 16-bit values, v[r] holding row r; afterwards v[c] holds column c.
inline void Transpose8x16(__m128i (&v)[8]) {
    const __m128i a0 = _mm_unpacklo_epi16(v[0], v[1]);
    const __m128i a1 = _mm_unpackhi_epi16(v[0], v[1]);
    const __m128i a2 = _mm_unpacklo_epi16(v[2], v[3]);
    const __m128i a3 = _mm_unpackhi_epi16(v[2], v[3]);
    const __m128i a4 = _mm_unpacklo_epi16(v[4], v[5]);
    const __m128i a5 = _mm_unpackhi_epi16(v[4], v[5]);
    const __m128i a6 = _mm_unpacklo_epi16(v[6], v[7]);
    const __m128i a7 = _mm_unpackhi_epi16(v[6], v[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2);
    const __m128i b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3);
    const __m128i b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6);
    const __m128i b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7);
    const __m128i b7 = _mm_unpackhi_epi32(a5, a7);
    v[0] = _mm_unpacklo_epi64(b0, b4);
    v[1] = _mm_unpackhi_epi64(b0, b4);
    v[2] = _mm_unpacklo_epi64(b1, b5);
    v[3] = _mm_unpackhi_epi64(b1, b5);
    v[4] = _mm_unpacklo_epi64(b2, b6);
    v[5] = _mm_unpackhi_epi64(b2, b6);
    v[6] = _mm_unpacklo_epi64(b3, b7);
    v[7] = _mm_unpackhi_epi64(b3, b7);
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
