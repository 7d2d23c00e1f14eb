// InverseDctPackedSse2: InverseDctMmx with SSE2, giving its numbers exactly. Pass 1 takes all
// eight columns at once (one lane a column): the paired multiply-add (pmaddwd) forms each
// 32-bit sum of two products exactly modulo 2^32, so the odd outputs fold z5 into their
// weights (9633 + weight) and cost two multiply-adds each. Pass 2 takes all eight rows at
// once after a transpose: 16-bit wrapping adds and high-half multiplies (pmulhw), which is
// M(x, K) itself; the final pack saturates to 0..255.
//
// A block whose AC entries are all 0 (common in smooth areas and in U and V) takes a short
// path with the same numbers: every pass-1 output of column 0 is then sat16((d0 x 8192 +
// 256) >> 9), every other workspace entry 0, and every sample (that >> 3, + 2056) >> 4.
//
// The loops over rows are unrolled by pragma: gcc 12 -O2 kept them as loops over arrays in
// memory, and callgrind counted 423 instructions a block then, 314 unrolled (640x480,
// quality 75).
#include "decoder/idct_packed.h"

#include "platform/processor.h"

#if defined(ORVIK_X86_TWINS)
#include <emmintrin.h>

#include "decoder/idct_constants.h"
#include "decoder/idct_packed_sse2_pass2.h"

namespace orvik {
namespace {

using namespace idct;

// Two 16-bit weights a pair, for pmaddwd on interleaved (first, second) lanes.
[[gnu::always_inline]] inline __m128i Pair(std::int32_t first, std::int32_t second) {
    return _mm_set1_epi32(static_cast<std::int32_t>((static_cast<std::uint32_t>(second) << 16) |
                                                    (static_cast<std::uint32_t>(first) & 0xFFFF)));
}

// Pass 1 for four columns: pairs hold interleaved (d0, d4), (d2, d6), (d7, d3), (d5, d1).
// Returns the eight outputs after (x + 256) >> 9, still 32-bit.
[[gnu::always_inline]] inline void Pass1Half(__m128i p04, __m128i p26, __m128i p73, __m128i p51,
                                             __m128i (&out)[8]) {
    const __m128i tmp0 = _mm_madd_epi16(p04, Pair(8192, 8192));
    const __m128i tmp1 = _mm_madd_epi16(p04, Pair(8192, -8192));
    const __m128i tmp2 = _mm_madd_epi16(p26, Pair(kFix0_541196100, kTmp2D6));
    const __m128i tmp3 = _mm_madd_epi16(p26, Pair(kTmp3D2, kFix0_541196100));
    constexpr std::int32_t z = kFix1_175875602;
    const __m128i p3 = _mm_add_epi32(_mm_madd_epi16(p51, Pair(z - kFix0_390180644, z + kP3D1)),
                                     _mm_madd_epi16(p73, Pair(z - kFix0_899976223, z)));
    const __m128i p2 = _mm_add_epi32(_mm_madd_epi16(p73, Pair(z - kFix1_961570560, z + kP2D3)),
                                     _mm_madd_epi16(p51, Pair(z - kFix2_562915447, z)));
    const __m128i p1 = _mm_add_epi32(_mm_madd_epi16(p51, Pair(z + kP1D5, z - kFix0_390180644)),
                                     _mm_madd_epi16(p73, Pair(z, z - kFix2_562915447)));
    const __m128i p0 = _mm_add_epi32(_mm_madd_epi16(p73, Pair(z + kP0D7, z - kFix1_961570560)),
                                     _mm_madd_epi16(p51, Pair(z, z - kFix0_899976223)));
    const __m128i tmp10 = _mm_add_epi32(tmp0, tmp3);
    const __m128i tmp13 = _mm_sub_epi32(tmp0, tmp3);
    const __m128i tmp11 = _mm_add_epi32(tmp1, tmp2);
    const __m128i tmp12 = _mm_sub_epi32(tmp1, tmp2);
    const __m128i rounding = _mm_set1_epi32(256);
    auto descale = [rounding](__m128i x) { return _mm_srai_epi32(_mm_add_epi32(x, rounding), 9); };
    out[0] = descale(_mm_add_epi32(tmp10, p3));
    out[1] = descale(_mm_add_epi32(tmp11, p2));
    out[2] = descale(_mm_add_epi32(tmp12, p1));
    out[3] = descale(_mm_add_epi32(tmp13, p0));
    out[4] = descale(_mm_sub_epi32(tmp13, p0));
    out[5] = descale(_mm_sub_epi32(tmp12, p1));
    out[6] = descale(_mm_sub_epi32(tmp11, p2));
    out[7] = descale(_mm_sub_epi32(tmp10, p3));
}

}  // namespace

void InverseDctPackedSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride) {
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
    __m128i low[8];
    __m128i high[8];
    Pass1Half(_mm_unpacklo_epi16(d[0], d[4]), _mm_unpacklo_epi16(d[2], d[6]),
              _mm_unpacklo_epi16(d[7], d[3]), _mm_unpacklo_epi16(d[5], d[1]), low);
    Pass1Half(_mm_unpackhi_epi16(d[0], d[4]), _mm_unpackhi_epi16(d[2], d[6]),
              _mm_unpackhi_epi16(d[7], d[3]), _mm_unpackhi_epi16(d[5], d[1]), high);
    __m128i workspace[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        workspace[r] = _mm_packs_epi32(low[r], high[r]);  // saturates to 16 bits
    }
    packed_sse2::Pass2AndStore(workspace, out, stride);
}

}  // namespace orvik

#endif
