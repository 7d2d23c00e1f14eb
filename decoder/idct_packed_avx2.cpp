// InverseDctPackedAvx2: InverseDctMmx with AVX2, giving its numbers exactly. Pass 1 is that
// of the SSE2 twin with all eight columns in one 256-bit register of 32-bit lanes instead of
// two halves; the dequantisation, the DC-only block and pass 2 (16-bit lanes, eight rows to a
// 128-bit register) are the SSE2 twin's (decoder/idct_packed_lanes.h). Measured with
// callgrind on a 640x480 quality-75 frame: the SSE2 twin costs 314 instructions a block,
// this one 243.
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
#include "decoder/simd_lanes.h"

namespace orvik {

using namespace idct;

namespace {

// Rows a and b interleaved, one 32-bit lane a column: (a[c], b[c]) in lane c.
[[gnu::always_inline]] inline __m256i Interleave(__m128i a, __m128i b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi16(a, b)),
                                   _mm_unpackhi_epi16(a, b), 1);
}

// Pass 1 on all eight columns at once.
struct Avx2Columns {
    [[gnu::always_inline]] static void Workspace(const __m128i (&d)[8], __m128i (&workspace)[8]) {
        __m256i rows[8];
        PackedColumns<Avx2Lanes>(Interleave(d[0], d[4]), Interleave(d[2], d[6]),
                                 Interleave(d[7], d[3]), Interleave(d[5], d[1]), rows);
        // Saturating to 16 bits: the pack leaves columns 0..3 of rows r and r + 1 in the low
        // half and columns 4..7 in the high half; the permute puts each row together.
#pragma GCC unroll 4
        for (int r = 0; r < 8; r += 2) {
            const __m256i pair =
                _mm256_permute4x64_epi64(_mm256_packs_epi32(rows[r], rows[r + 1]), 0xD8);
            workspace[r] = _mm256_castsi256_si128(pair);
            workspace[r + 1] = _mm256_extracti128_si256(pair, 1);
        }
    }
};

}  // namespace

void InverseDctPackedAvx2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride) {
    InverseDctPackedWith<Avx2Columns>(coefficients, quant, out, stride);
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
