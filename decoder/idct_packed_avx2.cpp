// InverseDctPackedAvx2: InverseDctPacked with AVX2, giving its numbers exactly. Pass 1 is that
// of the SSE2 twin with all eight columns in one 256-bit register of 32-bit lanes instead of
// two halves; the dequantisation, the DC-only block and pass 2 (16-bit lanes, eight rows to a
// 128-bit register) are the SSE2 twin's (decoder/idct_packed_lanes.h).
//
// InverseDctPackedPairAvx2 takes two blocks through the same lane operations, block a in the
// low 128-bit half of each 256-bit register and block b in the high one from the pack after
// pass 1 to the samples: one set of transposes, one pass 2 and one set of constants for both.
// It has no DC-only shortcut (the MCU loop fills those blocks itself).
#include "decoder/idct_packed.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "decoder/fill_block.h"

ORVIK_AVX2_BEGIN
#include "decoder/idct_packed_lanes.h"
#include "platform/simd_lanes.h"

namespace orvik {

using namespace idct;

namespace {

// Rows a and b interleaved, one 32-bit lane a column: (a[c], b[c]) in lane c.
[[gnu::always_inline]] inline __m256i Interleave(__m128i a, __m128i b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(InterleaveLow16(a, b)),
                                   InterleaveHigh16(a, b), 1);
}

// Pass 1 on all eight columns at once: the dequantised block (row r in d[r]) to the eight
// workspace rows, still 32-bit, one lane a column.
[[gnu::always_inline]] inline void ColumnRows(const __m128i (&d)[8], __m256i (&rows)[8]) {
    PackedColumns<Avx2Lanes>(Interleave(d[0], d[4]), Interleave(d[2], d[6]), Interleave(d[7], d[3]),
                             Interleave(d[5], d[1]), rows);
}

struct Avx2Columns {
    [[gnu::always_inline]] static void Workspace(const __m128i (&d)[8], __m128i (&workspace)[8]) {
        __m256i rows[8];
        ColumnRows(d, rows);
        // Saturating to 16 bits: the pack leaves columns 0..3 of rows r and r + 1 in the low
        // half and columns 4..7 in the high half; the permute puts each row together.
#pragma GCC unroll 4
        for (int r = 0; r < 8; r += 2) {
            const __m256i pair =
                _mm256_permute4x64_epi64(PackSaturate32To16(rows[r], rows[r + 1]), 0xD8);
            workspace[r] = _mm256_castsi256_si128(pair);
            workspace[r + 1] = _mm256_extracti128_si256(pair, 1);
        }
    }
};

// Pass 1 of one block of a pair, row r of its workspace in rows[r]. No DC-only shortcut: the
// full transform gives such a block the same samples.
[[gnu::always_inline]] inline void PairColumnRows(const PackedBlock& block, __m256i (&rows)[8]) {
    __m128i d[8];
    LoadRows(block.coefficients, d);
    Dequantise(block.quant, d);
    ColumnRows(d, rows);
}

// Rows r and r + 1 of a block's samples as bytes, one 64-bit half each.
[[gnu::always_inline]] inline void StoreTwoRows(__m128i bytes, const PackedBlock& block, int r) {
    std::uint8_t* at = block.out + static_cast<std::ptrdiff_t>(r) * block.stride;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), bytes);
    _mm_storeh_pd(reinterpret_cast<double*>(at + block.stride), _mm_castsi128_pd(bytes));
}

}  // namespace

void InverseDctPackedAvx2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride) {
    InverseDctPackedWith<Avx2Columns>(coefficients, quant, out, stride);
}

// About 400 instructions a pair against about 580 for two calls of the single kernel
// (bench/NOTES.md has what the pairing saved a frame).
void InverseDctPackedPairAvx2(const PackedBlock& a, const PackedBlock& b) {
    __m256i rowsA[8];
    __m256i rowsB[8];
    PairColumnRows(a, rowsA);
    PairColumnRows(b, rowsB);
    // Saturating to 16 bits: the pack leaves columns 0..3 of row r of a and of b in the low
    // half and columns 4..7 in the high half; the permute puts a's row in the low half and
    // b's in the high one.
    __m256i workspace[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        workspace[r] = _mm256_permute4x64_epi64(PackSaturate32To16(rowsA[r], rowsB[r]), 0xD8);
    }
    Transpose8x16(workspace);
    PackedRows(workspace);
    Transpose8x16(workspace);
#pragma GCC unroll 4
    for (int r = 0; r < 8; r += 2) {
        const __m256i bytes = _mm256_packus_epi16(workspace[r], workspace[r + 1]);
        StoreTwoRows(_mm256_castsi256_si128(bytes), a, r);
        StoreTwoRows(_mm256_extracti128_si256(bytes, 1), b, r);
    }
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
