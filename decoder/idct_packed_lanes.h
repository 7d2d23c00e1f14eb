// The steps of the packed transform that its SSE2 and AVX2 twins share (see
// idct_packed_sse2.cpp for the arithmetic): pass 1 written once for both lane types of
// platform/simd_lanes.h; on 128-bit registers for both, the dequantisation with its all-zero
// test and DC-only block; and pass 2, 16-bit lanes with eight rows to a 128-bit register,
// written once for 128-bit registers (one block) and 256-bit ones (two blocks, one in each
// half, as InverseDctPackedPairAvx2 takes them).
#pragma once

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstdint>

#include "decoder/fill_block.h"
#include "decoder/idct_constants.h"
#include "decoder/idct_packed.h"
#include "decoder/idct_transposes.h"
#include "platform/simd_lanes.h"

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
    return AllZero(ac);
}

// The block's coefficients, row r in d[r].
[[gnu::always_inline]] inline void LoadRows(const std::int16_t* coefficients, __m128i (&d)[8]) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        d[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * r));
    }
}

// d = S16(d x quantiser), row by row.
[[gnu::always_inline]] inline void Dequantise(const std::int16_t* quant, __m128i (&d)[8]) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        d[r] =
            _mm_mullo_epi16(d[r], _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r)));
    }
}

// 16-bit lanes of V: sums and differences wrap, >> is arithmetic, M(x, K) is the high half
// of the signed product (pmulhw), which is M(x, K) of the portable form itself.
template <class V>
struct Words {
    typedef std::uint16_t U16 __attribute__((vector_size(sizeof(V))));
    typedef std::int16_t I16 __attribute__((vector_size(sizeof(V))));
    static V Add(V a, V b) { return V(U16(a) + U16(b)); }
    static V Sub(V a, V b) { return V(U16(a) - U16(b)); }
    static V ShiftRight(V x, int n) { return V(I16(x) >> n); }
    static V Splat(std::int32_t x) { return V(I16{} + static_cast<std::int16_t>(x)); }
    static V M(V x, std::int32_t constant) { return MulHigh16(x, Splat(constant)); }
};

// Pass 2 for eight rows: c[k] holds entry k of every row (in each 128-bit half); leaves the
// samples in c, still 16-bit. All sums wrap in 16 bits.
template <class V>
[[gnu::always_inline]] inline void PackedRows(V (&c)[8]) {
    using W = Words<V>;
    constexpr auto add = W::Add;
    constexpr auto sub = W::Sub;
    constexpr auto M = W::M;
    const V z5 = M(add(add(c[1], c[3]), add(c[5], c[7])), kFix1_175875602);
    const V p3 =
        add(add(z5, M(c[1], kP3D1)), add(M(c[5], -kFix0_390180644), M(c[7], -kFix0_899976223)));
    const V p2 =
        add(add(z5, M(c[3], kP2D3)), add(M(c[5], -kFix2_562915447), M(c[7], -kFix1_961570560)));
    const V p1 =
        add(add(z5, M(c[1], -kFix0_390180644)), add(M(c[3], -kFix2_562915447), M(c[5], kP1D5)));
    const V p0 =
        add(add(z5, M(c[1], -kFix0_899976223)), add(M(c[3], -kFix1_961570560), M(c[7], kP0D7)));
    // The sample offset 2056 (level shift 128 x 16 plus the rounding 8) rides on tmp0 and
    // tmp1, whose sums carry it into every output: sums modulo 2^16 give the same bits.
    const V offset = W::Splat(128 * 16 + 8);
    const V tmp0 = add(W::ShiftRight(add(c[0], c[4]), 3), offset);
    const V tmp1 = add(W::ShiftRight(sub(c[0], c[4]), 3), offset);
    const V tmp3 = add(M(c[2], kTmp3D2), M(c[6], kFix0_541196100));
    const V tmp2 = add(M(c[2], kFix0_541196100), M(c[6], kTmp2D6));
    const V tmp10 = add(tmp0, tmp3);
    const V tmp13 = sub(tmp0, tmp3);
    const V tmp11 = add(tmp1, tmp2);
    const V tmp12 = sub(tmp1, tmp2);
    c[0] = W::ShiftRight(add(tmp10, p3), 4);
    c[1] = W::ShiftRight(add(tmp11, p2), 4);
    c[2] = W::ShiftRight(add(tmp12, p1), 4);
    c[3] = W::ShiftRight(add(tmp13, p0), 4);
    c[4] = W::ShiftRight(sub(tmp13, p0), 4);
    c[5] = W::ShiftRight(sub(tmp12, p1), 4);
    c[6] = W::ShiftRight(sub(tmp11, p2), 4);
    c[7] = W::ShiftRight(sub(tmp10, p3), 4);
}

// The packed transform around a twin's own pass 1: Columns::Workspace(d, workspace) turns the
// dequantised block (row r in d[r]) into the pass-1 workspace saturated to 16 bits.
template <class Columns>
[[gnu::always_inline]] inline void InverseDctPackedWith(const std::int16_t* coefficients,
                                                        const std::int16_t* quant,
                                                        std::uint8_t* out, int stride) {
    __m128i d[8];
    LoadRows(coefficients, d);
    if (PackedAcAllZero(d)) {
        FillBlock(PackedDcOnlySample(coefficients[0], quant[0]), out, stride);
        return;
    }
    Dequantise(quant, d);
    __m128i workspace[8];
    Columns::Workspace(d, workspace);
    Transpose8x16(workspace);
    PackedRows(workspace);
    Transpose8x16(workspace);
    StoreRows8(workspace, out, stride);
}

}  // namespace
}  // namespace orvik::idct

#endif
