// The steps of the packed transform that its SSE2 and AVX2 twins share (see
// idct_packed_sse2.cpp for the arithmetic): pass 1 written once for both lane types of
// decoder/simd_lanes.h, and, on 128-bit registers for both, the dequantisation with its
// all-zero test and DC-only block, and pass 2 over eight rows with the stores. Pass 2 works
// on 16-bit lanes, eight rows to a 128-bit register, so AVX2 gains nothing there.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "decoder/fill_block.h"
#include "decoder/idct_constants.h"
#include "decoder/idct_packed.h"
#include "decoder/sse2_transpose.h"

namespace orvik::idct {
namespace {

// Pass 1 for the columns of the lanes: the 16-bit pairs hold interleaved (d0, d4), (d2, d6),
// (d7, d3), (d5, d1). Returns the eight outputs after (x + 256) >> 9, still 32-bit. The pair
// multiply-add forms each 32-bit sum of two products exactly modulo 2^32, so the odd outputs
// fold z5 into their weights (9633 + weight) and cost two multiply-adds each.
template <class L>
[[gnu::always_inline]] inline void PackedColumns(typename L::V p04, typename L::V p26,
                                                 typename L::V p73, typename L::V p51,
                                                 typename L::V (&out)[8]) {
    using V = typename L::V;
    const V tmp0 = L::MulPairs(p04, 8192, 8192);
    const V tmp1 = L::MulPairs(p04, 8192, -8192);
    const V tmp2 = L::MulPairs(p26, kFix0_541196100, kTmp2D6);
    const V tmp3 = L::MulPairs(p26, kTmp3D2, kFix0_541196100);
    constexpr std::int32_t z = kFix1_175875602;
    const V p3 = L::Add(L::MulPairs(p51, z - kFix0_390180644, z + kP3D1),
                        L::MulPairs(p73, z - kFix0_899976223, z));
    const V p2 = L::Add(L::MulPairs(p73, z - kFix1_961570560, z + kP2D3),
                        L::MulPairs(p51, z - kFix2_562915447, z));
    const V p1 = L::Add(L::MulPairs(p51, z + kP1D5, z - kFix0_390180644),
                        L::MulPairs(p73, z, z - kFix2_562915447));
    const V p0 = L::Add(L::MulPairs(p73, z + kP0D7, z - kFix1_961570560),
                        L::MulPairs(p51, z, z - kFix0_899976223));
    const V tmp10 = L::Add(tmp0, tmp3);
    const V tmp13 = L::Sub(tmp0, tmp3);
    const V tmp11 = L::Add(tmp1, tmp2);
    const V tmp12 = L::Sub(tmp1, tmp2);
    out[0] = L::Descale(L::Add(tmp10, p3), 9);
    out[1] = L::Descale(L::Add(tmp11, p2), 9);
    out[2] = L::Descale(L::Add(tmp12, p1), 9);
    out[3] = L::Descale(L::Add(tmp13, p0), 9);
    out[4] = L::Descale(L::Sub(tmp13, p0), 9);
    out[5] = L::Descale(L::Sub(tmp12, p1), 9);
    out[6] = L::Descale(L::Sub(tmp11, p2), 9);
    out[7] = L::Descale(L::Sub(tmp10, p3), 9);
}

// True when every entry of the block c (row r in c[r]) but the first is 0.
[[gnu::always_inline]] inline bool PackedAcAllZero(const __m128i (&c)[8]) {
    __m128i ac = _mm_and_si128(c[0], _mm_set_epi16(-1, -1, -1, -1, -1, -1, -1, 0));
#pragma GCC unroll 8
    for (int r = 1; r < 8; ++r) {
        ac = _mm_or_si128(ac, c[r]);
    }
    return _mm_movemask_epi8(_mm_cmpeq_epi8(ac, _mm_setzero_si128())) == 0xFFFF;
}

// The dequantised block, row r in d[r]: d = S16(coefficient x quantiser). False, with the
// samples written, when the block is DC only.
[[gnu::always_inline]] inline bool Dequantise(const std::int16_t* coefficients,
                                              const std::int16_t* quant, std::uint8_t* out,
                                              int stride, __m128i (&d)[8]) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        d[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * r));
    }
    if (PackedAcAllZero(d)) {
        FillBlock(PackedDcOnlySample(coefficients[0], quant[0]), out, stride);
        return false;
    }
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        d[r] =
            _mm_mullo_epi16(d[r], _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r)));
    }
    return true;
}

[[gnu::always_inline]] inline __m128i M(__m128i x, std::int32_t constant) {
    return _mm_mulhi_epi16(x, _mm_set1_epi16(static_cast<std::int16_t>(constant)));
}

// Pass 2 for eight rows: c[k] holds entry k of every row; leaves the samples in c. All sums
// wrap in 16 bits; the high-half multiply (pmulhw) is M(x, K) itself.
[[gnu::always_inline]] inline void PackedRows(__m128i (&c)[8]) {
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

// The packed transform around a twin's own pass 1: Columns::Workspace(d, workspace) turns the
// dequantised block (row r in d[r]) into the pass-1 workspace saturated to 16 bits.
template <class Columns>
[[gnu::always_inline]] inline void InverseDctPackedWith(const std::int16_t* coefficients,
                                                        const std::int16_t* quant,
                                                        std::uint8_t* out, int stride) {
    __m128i d[8];
    if (!Dequantise(coefficients, quant, out, stride, d)) {
        return;
    }
    __m128i workspace[8];
    Columns::Workspace(d, workspace);
    Transpose8x16(workspace);
    PackedRows(workspace);
    Transpose8x16(workspace);
    StoreRows8(workspace, out, stride);
}

}  // namespace
}  // namespace orvik::idct
