// InverseDctScalarAvx2: InverseDctScalar with AVX2, giving its numbers exactly, all eight
// columns (pass 1) and then all eight rows (pass 2) a step in 32-bit lanes. The arithmetic is
// that of the SSE2 twin, written once for both (decoder/idct_scalar_lanes.h). Pass 2's
// columns go to bytes before they are put in row order, so that a byte shuffle and a 32-bit
// interleave do what a second 32-bit transpose would.
#include "decoder/idct_scalar.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

ORVIK_AVX2_BEGIN
#include "decoder/idct_scalar_lanes.h"
#include "platform/simd_lanes.h"

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

// Two rows of eight bytes, one 64-bit half each, to at and at + stride.
[[gnu::always_inline]] inline void StoreTwoRows(__m128i bytes, std::uint8_t* at, int stride) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), bytes);
    _mm_storeh_pd(reinterpret_cast<double*>(at + stride), _mm_castsi128_pd(bytes));
}

}  // namespace

void InverseDctScalarAvx2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample) {
    // No test for a block whose AC entries are all 0 (the SSE2 twin has one): both passes
    // give such a block its DC-only sample all the same, and the decoder fills those blocks
    // itself, so nearly every block it hands over has an AC entry (bench/NOTES.md).
    // Pass 1: v[r] is row r, one lane a column; pass 2: v[k] is entry k of every row, and
    // afterwards v[c] is column c of the samples, one lane a row. The loops over rows are
    // unrolled by pragma, as in the SSE2 twin (bench/NOTES.md).
    __m256i v[8];
    ScalarColumns<Avx2Lanes>(coefficients, quant, 0, v);
    Transpose8x32(v);
    ScalarRows<Avx2Lanes>(v);

    // The samples go to bytes still column after column: 128-bit half h of columns[g] holds
    // columns 4g..4g+3 of rows 4h..4h+3, four bytes a column. A byte shuffle turns each half
    // row after row (four bytes a row) and a 32-bit interleave joins each row's two halves:
    // fewer instructions than a second transpose (bench/NOTES.md).
    __m256i pairs[4];
#pragma GCC unroll 8
    for (int p = 0; p < 4; ++p) {
        pairs[p] = ScalarSamples<Avx2Lanes>(v[2 * p], v[2 * p + 1], levelShift, maxSample);
    }
    const __m256i byRow = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 0,
                                           4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    __m256i columns[2];
#pragma GCC unroll 2
    for (int g = 0; g < 2; ++g) {
        columns[g] =
            _mm256_shuffle_epi8(_mm256_packus_epi16(pairs[2 * g], pairs[2 * g + 1]), byRow);
    }
    // Rows 0, 1 (low half) and 4, 5 (high half); rows 2, 3 and 6, 7.
    const __m256i rows[2] = {_mm256_unpacklo_epi32(columns[0], columns[1]),
                             _mm256_unpackhi_epi32(columns[0], columns[1])};
#pragma GCC unroll 2
    for (int i = 0; i < 2; ++i) {
        StoreTwoRows(_mm256_castsi256_si128(rows[i]),
                     out + static_cast<std::ptrdiff_t>(2 * i) * stride, stride);
        StoreTwoRows(_mm256_extracti128_si256(rows[i], 1),
                     out + static_cast<std::ptrdiff_t>(2 * i + 4) * stride, stride);
    }
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
