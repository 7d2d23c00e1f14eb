// InverseDctMmxSse2: InverseDctMmx with SSE2, giving its numbers exactly. Pass 1 takes all
// eight columns at once (one lane a column): the paired multiply-add (pmaddwd) forms each
// 32-bit sum of two products exactly modulo 2^32, so the odd outputs fold z5 into their
// weights (9633 + weight) and cost two multiply-adds each. Pass 2 takes all eight rows at
// once after a transpose: 16-bit wrapping adds and high-half multiplies (pmulhw), which is
// M(x, K) itself; the final pack saturates to 0..255.
//
// A block whose AC entries are all 0 (common in smooth areas and in U and V) takes a short
// path with the same numbers: every pass-1 output of column 0 is then sat16((d0 x 8192 +
// 256) >> 9), every other workspace entry 0, and every sample (that >> 3, + 2056) >> 4.
#include "decoder/idct_packed.h"

#if defined(__SSE2__)
#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "decoder/idct_constants.h"
#include "decoder/sse2_transpose.h"

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

[[gnu::always_inline]] inline __m128i M(__m128i x, std::int32_t constant) {
    return _mm_mulhi_epi16(x, _mm_set1_epi16(static_cast<std::int16_t>(constant)));
}

// Pass 2 for eight rows: c[k] holds entry k of every row; leaves the samples in c.
[[gnu::always_inline]] inline void Pass2(__m128i (&c)[8]) {
    const __m128i z5 =
        M(_mm_add_epi16(_mm_add_epi16(c[1], c[3]), _mm_add_epi16(c[5], c[7])), kFix1_175875602);
    const __m128i p3 =
        _mm_add_epi16(_mm_add_epi16(z5, M(c[1], kP3D1)),
                      _mm_add_epi16(M(c[5], -kFix0_390180644), M(c[7], -kFix0_899976223)));
    const __m128i p2 =
        _mm_add_epi16(_mm_add_epi16(z5, M(c[3], kP2D3)),
                      _mm_add_epi16(M(c[5], -kFix2_562915447), M(c[7], -kFix1_961570560)));
    const __m128i p1 = _mm_add_epi16(_mm_add_epi16(z5, M(c[1], -kFix0_390180644)),
                                     _mm_add_epi16(M(c[3], -kFix2_562915447), M(c[5], kP1D5)));
    const __m128i p0 = _mm_add_epi16(_mm_add_epi16(z5, M(c[1], -kFix0_899976223)),
                                     _mm_add_epi16(M(c[3], -kFix1_961570560), M(c[7], kP0D7)));
    const __m128i tmp0 = _mm_srai_epi16(_mm_add_epi16(c[0], c[4]), 3);
    const __m128i tmp1 = _mm_srai_epi16(_mm_sub_epi16(c[0], c[4]), 3);
    const __m128i tmp3 = _mm_add_epi16(M(c[2], kTmp3D2), M(c[6], kFix0_541196100));
    const __m128i tmp2 = _mm_add_epi16(M(c[2], kFix0_541196100), M(c[6], kTmp2D6));
    const __m128i tmp10 = _mm_add_epi16(tmp0, tmp3);
    const __m128i tmp13 = _mm_sub_epi16(tmp0, tmp3);
    const __m128i tmp11 = _mm_add_epi16(tmp1, tmp2);
    const __m128i tmp12 = _mm_sub_epi16(tmp1, tmp2);
    const __m128i offset = _mm_set1_epi16(128 * 16 + 8);
    auto sample = [offset](__m128i x) { return _mm_srai_epi16(_mm_add_epi16(x, offset), 4); };
    c[0] = sample(_mm_add_epi16(tmp10, p3));
    c[1] = sample(_mm_add_epi16(tmp11, p2));
    c[2] = sample(_mm_add_epi16(tmp12, p1));
    c[3] = sample(_mm_add_epi16(tmp13, p0));
    c[4] = sample(_mm_sub_epi16(tmp13, p0));
    c[5] = sample(_mm_sub_epi16(tmp12, p1));
    c[6] = sample(_mm_sub_epi16(tmp11, p2));
    c[7] = sample(_mm_sub_epi16(tmp10, p3));
}

// The 64 samples of a block whose entries but the first are 0.
void DcOnly(std::int16_t coefficient, std::int16_t quantiser, std::uint8_t* out, int stride) {
    const std::int32_t d0 = static_cast<std::int16_t>(coefficient * quantiser);
    const auto pass1 = static_cast<std::int32_t>(static_cast<std::uint32_t>(d0 * 8192) + 256) >> 9;
    const auto workspace = static_cast<std::int16_t>(std::clamp(pass1, -32768, 32767));
    const auto sum = static_cast<std::int16_t>((workspace >> 3) + (128 * 16 + 8));
    const auto sample = static_cast<std::uint8_t>(std::clamp(sum >> 4, 0, 255));
    for (int r = 0; r < 8; ++r) {
        std::memset(out + static_cast<std::ptrdiff_t>(r) * stride, sample, 8);
    }
}

}  // namespace

void InverseDctMmxSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                       std::uint8_t* out, int stride) {
    __m128i c[8];
    for (int r = 0; r < 8; ++r) {
        c[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * r));
    }
    __m128i ac = _mm_and_si128(c[0], _mm_set_epi16(-1, -1, -1, -1, -1, -1, -1, 0));  // not entry 0
    for (int r = 1; r < 8; ++r) {
        ac = _mm_or_si128(ac, c[r]);
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(ac, _mm_setzero_si128())) == 0xFFFF) {
        DcOnly(coefficients[0], quant[0], out, stride);
        return;
    }
    __m128i d[8];
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
    for (int r = 0; r < 8; ++r) {
        workspace[r] = _mm_packs_epi32(low[r], high[r]);  // saturates to 16 bits
    }
    sse2::Transpose8x16(workspace);
    Pass2(workspace);
    sse2::Transpose8x16(workspace);
    sse2::StoreRows8(workspace, out, stride);
}

}  // namespace orvik

#endif
