// InverseDctScalarAvx2: InverseDctScalar with AVX2, giving its numbers exactly, all eight
// columns (pass 1) and then all eight rows (pass 2) a step in 32-bit lanes. The arithmetic is
// that of the SSE2 twin, written once for both (decoder/idct_scalar_lanes.h).
//
// The loops over rows are unrolled by pragma: gcc 12 -O2 left them as loops over arrays in
// memory. Measured with callgrind on a 640x480 quality-75 frame: the SSE2 twin (loops not
// unrolled) cost 1,019 instructions a block, this one 253; the whole frame went from 14.0 to
// 6.1 million against libjpeg-turbo's 7.9.
#include "decoder/idct_scalar.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "decoder/fill_block.h"

ORVIK_AVX2_BEGIN
#include "decoder/idct_scalar_lanes.h"
#include "decoder/simd_lanes.h"

namespace orvik {

using namespace idct;

namespace {

// 8 x 8 32-bit values, v[r] holding row r; afterwards v[c] holds column c.
[[gnu::always_inline]] inline void Transpose8x32(__m256i (&v)[8]) {
    __m256i a[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; i += 2) {
        a[i] = _mm256_unpacklo_epi32(v[i], v[i + 1]);
        a[i + 1] = _mm256_unpackhi_epi32(v[i], v[i + 1]);
    }
    // Within each 128-bit half, b[c] (c = 0..3) holds entry c of rows 0..3, b[4 + c] of
    // rows 4..7; the low half covers columns 0..3, the high half columns 4..7.
    __m256i b[8];
#pragma GCC unroll 8
    for (int h = 0; h < 8; h += 4) {
        b[h] = _mm256_unpacklo_epi64(a[h], a[h + 2]);
        b[h + 1] = _mm256_unpackhi_epi64(a[h], a[h + 2]);
        b[h + 2] = _mm256_unpacklo_epi64(a[h + 1], a[h + 3]);
        b[h + 3] = _mm256_unpackhi_epi64(a[h + 1], a[h + 3]);
    }
#pragma GCC unroll 8
    for (int c = 0; c < 4; ++c) {
        v[c] = _mm256_permute2x128_si256(b[c], b[4 + c], 0x20);
        v[c + 4] = _mm256_permute2x128_si256(b[c], b[4 + c], 0x31);
    }
}

}  // namespace

void InverseDctScalarAvx2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample) {
    if (AcAllZero<Avx2Lanes>(coefficients)) {
        FillBlock(ScalarDcOnlySample(coefficients[0], quant[0], levelShift, maxSample), out,
                  stride);
        return;
    }
    // Pass 1: v[r] is row r, one lane a column; pass 2: v[k] is entry k of every row.
    __m256i v[8];
    ScalarColumns<Avx2Lanes>(coefficients, quant, 0, v);
    Transpose8x32(v);
    ScalarRows<Avx2Lanes>(v);
    Transpose8x32(v);

    // 128-bit half h of pairs[p] holds columns 4h..4h+3 of rows 2p and 2p + 1.
    __m256i pairs[4];
#pragma GCC unroll 8
    for (int p = 0; p < 4; ++p) {
        pairs[p] = ScalarSamples<Avx2Lanes>(v[2 * p], v[2 * p + 1], levelShift, maxSample);
    }
    // Bytes of four rows, columns 0..3 in the low half, 4..7 in the high half, put back in
    // row order: eight bytes a row.
    const __m256i rowOrder = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
#pragma GCC unroll 8
    for (int g = 0; g < 2; ++g) {
        const __m256i bytes = _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(pairs[2 * g], pairs[2 * g + 1]), rowOrder);
        const __m128i low = _mm256_castsi256_si128(bytes);
        const __m128i high = _mm256_extracti128_si256(bytes, 1);
        std::uint8_t* row = out + static_cast<std::ptrdiff_t>(4 * g) * stride;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row), low);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + stride), _mm_srli_si128(low, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 2 * stride), high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 3 * stride), _mm_srli_si128(high, 8));
    }
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
