// Transposes and stores for the transforms' twins: pass 1 works on rows of lanes (one lane a
// column), pass 2 needs one lane a row. Kept inside an unnamed namespace, as every SIMD
// helper is (platform/simd_lanes.h). The 8 x 8 transpose of 16-bit values is written once
// for 128-bit registers and for 256-bit ones, whose interleaves work in each 128-bit half:
// there it transposes two blocks at once, one in each half.
#pragma once

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "platform/simd_lanes.h"

namespace orvik {
namespace {

// 8 x 8 signed 16-bit values, v[r] holding row r; afterwards v[c] holds column c (in each
// 128-bit half of a 256-bit register).
template <class V>
inline void Transpose8x16(V (&v)[8]) {
    const V a0 = InterleaveLow16(v[0], v[1]);
    const V a1 = InterleaveHigh16(v[0], v[1]);
    const V a2 = InterleaveLow16(v[2], v[3]);
    const V a3 = InterleaveHigh16(v[2], v[3]);
    const V a4 = InterleaveLow16(v[4], v[5]);
    const V a5 = InterleaveHigh16(v[4], v[5]);
    const V a6 = InterleaveLow16(v[6], v[7]);
    const V a7 = InterleaveHigh16(v[6], v[7]);
    const V b0 = InterleaveLow32(a0, a2);
    const V b1 = InterleaveHigh32(a0, a2);
    const V b2 = InterleaveLow32(a1, a3);
    const V b3 = InterleaveHigh32(a1, a3);
    const V b4 = InterleaveLow32(a4, a6);
    const V b5 = InterleaveHigh32(a4, a6);
    const V b6 = InterleaveLow32(a5, a7);
    const V b7 = InterleaveHigh32(a5, a7);
    v[0] = InterleaveLow64(b0, b4);
    v[1] = InterleaveHigh64(b0, b4);
    v[2] = InterleaveLow64(b1, b5);
    v[3] = InterleaveHigh64(b1, b5);
    v[4] = InterleaveLow64(b2, b6);
    v[5] = InterleaveHigh64(b2, b6);
    v[6] = InterleaveLow64(b3, b7);
    v[7] = InterleaveHigh64(b3, b7);
}

// 4 x 4 signed 32-bit values in place.
inline void Transpose4x32(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
    const __m128i a0 = InterleaveLow32(r0, r1);
    const __m128i a1 = InterleaveHigh32(r0, r1);
    const __m128i a2 = InterleaveLow32(r2, r3);
    const __m128i a3 = InterleaveHigh32(r2, r3);
    r0 = InterleaveLow64(a0, a2);
    r1 = InterleaveHigh64(a0, a2);
    r2 = InterleaveLow64(a1, a3);
    r3 = InterleaveHigh64(a1, a3);
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

#endif
