// The scalar transform's steps written once for every lane type L: the portable code's one
// 32-bit value, and Sse2Lanes and Avx2Lanes (platform/simd_lanes.h) in its twins. See
// idct_scalar.cpp for the arithmetic; a lane type needs Add, Sub, ShiftLeft and MulS16 for the
// butterfly, and the rest of the Lanes operations for the passes.
#pragma once

#include <cstdint>

#include "decoder/idct_constants.h"

namespace orvik::idct {
namespace {

// The butterfly on eight inputs (a column, or a row, in every lane); outputs before descaling.
template <class L>
[[gnu::always_inline]] inline void ScalarButterfly(const typename L::V (&e)[8],
                                                   typename L::V (&out)[8]) {
    using V = typename L::V;
    const V z1 = L::MulS16(L::Add(e[2], e[6]), kFix0_541196100);
    const V tmp2 = L::Sub(z1, L::MulS16(e[6], kFix1_847759065));
    const V tmp3 = L::Add(z1, L::MulS16(e[2], kFix0_765366865));
    const V tmp0 = L::ShiftLeft(L::Add(e[0], e[4]), kConstBits);
    const V tmp1 = L::ShiftLeft(L::Sub(e[0], e[4]), kConstBits);
    const V tmp10 = L::Add(tmp0, tmp3);
    const V tmp13 = L::Sub(tmp0, tmp3);
    const V tmp11 = L::Add(tmp1, tmp2);
    const V tmp12 = L::Sub(tmp1, tmp2);

    const V s73 = L::Add(e[7], e[3]);
    const V s51 = L::Add(e[5], e[1]);
    const V z5 = L::MulS16(L::Add(s73, s51), kFix1_175875602);
    const V z3 = L::Sub(z5, L::MulS16(s73, kFix1_961570560));
    const V z4 = L::Sub(z5, L::MulS16(s51, kFix0_390180644));
    const V z1n = L::MulS16(L::Add(e[7], e[1]), -kFix0_899976223);
    const V z2n = L::MulS16(L::Add(e[5], e[3]), -kFix2_562915447);
    const V p0 = L::Add(L::Add(L::MulS16(e[7], kFix0_298631336), z1n), z3);
    const V p1 = L::Add(L::Add(L::MulS16(e[5], kFix2_053119869), z2n), z4);
    const V p2 = L::Add(L::Add(L::MulS16(e[3], kFix3_072711026), z2n), z3);
    const V p3 = L::Add(L::Add(L::MulS16(e[1], kFix1_501321110), z1n), z4);

    out[0] = L::Add(tmp10, p3);
    out[1] = L::Add(tmp11, p2);
    out[2] = L::Add(tmp12, p1);
    out[3] = L::Add(tmp13, p0);
    out[4] = L::Sub(tmp13, p0);
    out[5] = L::Sub(tmp12, p1);
    out[6] = L::Sub(tmp11, p2);
    out[7] = L::Sub(tmp10, p3);
}

// The lanes whose values in e[1..7] are all 0.
template <class L>
[[gnu::always_inline]] inline typename L::V AcZeroLanes(const typename L::V (&e)[8]) {
    typename L::V any = e[1];
#pragma GCC unroll 8
    for (int k = 2; k < 8; ++k) {
        any = L::Or(any, e[k]);
    }
    return L::ZeroMask(any);
}

// One pass over the lanes: those of zeroMask take shortcut, the others the butterfly
// descaled by shift. (Out of line and cold it cost the pass without shortcut 18 instructions
// a block more, keeping the lanes in memory around the call.)
template <class L>
[[gnu::always_inline]] inline void ScalarPass(typename L::V (&e)[8], typename L::V zeroMask,
                                              typename L::V shortcut, int shift) {
    typename L::V x[8];
    ScalarButterfly<L>(e, x);
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        e[k] = L::Select(zeroMask, shortcut, L::Descale(x[k], shift));
    }
}

// The butterfly descaled by shift in every lane, with no shortcut.
template <class L>
[[gnu::always_inline]] inline void ScalarPassWhole(typename L::V (&e)[8], int shift) {
    typename L::V x[8];
    ScalarButterfly<L>(e, x);
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        e[k] = L::Descale(x[k], shift);
    }
}

// Where a lane's first entry lies within these bounds, its all-zero shortcut gives what its
// butterfly gives, so a pass whose lanes all lie within them needs no shortcut: the
// butterfly of a lane holding e0 alone yields e0 << 13 in every output, which wraps only
// beyond them.
//   Pass 1: (e0 << 13 + 2^10) >> 11 is the shortcut's e0 << 2 for -2^18 <= e0 < 2^18.
//   Pass 2: (t0 << 13 + 2^17) >> 18 is the shortcut's (t0 + 16) >> 5 for
//           -2^18 <= t0 <= 2^18 - 17 (the rounding term must not carry past 2^31 either).
// Frames of pictures stay far inside (their dequantised entries are within about +-2^13);
// only values beyond them pay for the shortcut's zero test and choice, lane by lane.
inline constexpr std::int32_t kShortcutFreeLow = -(1 << 18);
inline constexpr std::int32_t kColumnShortcutFreeHigh = (1 << 18) - 1;
inline constexpr std::int32_t kRowShortcutFreeHigh = (1 << 18) - 17;

// Pass 1 over the columns of the lanes, starting at column `first`: w[r] is row r of the
// workspace. A column whose coefficients of rows 1..7 are all 0 takes the shortcut.
template <class L>
[[gnu::always_inline]] inline void ScalarColumns(const std::int32_t* coefficients,
                                                 const std::int32_t* quant, int first,
                                                 typename L::V (&w)[8]) {
    typename L::V coefficient[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        coefficient[r] = L::Load(coefficients + 8 * r + first);
        // S16(coefficient) * quantiser: a pair multiply-add, the quantiser's high half 0.
        w[r] = L::MulAdd16(coefficient[r], L::Load(quant + 8 * r + first));
    }
    if (L::AllWithin(w[0], kShortcutFreeLow, kColumnShortcutFreeHigh)) {
        ScalarPassWhole<L>(w, kConstBits - 2);
    } else {
        ScalarPass<L>(w, AcZeroLanes<L>(coefficient), L::ShiftLeft(w[0], 2), kConstBits - 2);
    }
}

// Pass 2 over the rows of the lanes: t[k] holds entry k of each row; leaves the samples
// before the level shift.
template <class L>
[[gnu::always_inline]] inline void ScalarRows(typename L::V (&t)[8]) {
    if (L::AllWithin(t[0], kShortcutFreeLow, kRowShortcutFreeHigh)) {
        ScalarPassWhole<L>(t, kConstBits + 5);
    } else {
        ScalarPass<L>(t, AcZeroLanes<L>(t), L::Descale(t[0], 5), kConstBits + 5);
    }
}

// The samples of the lanes of a and b, in the order of PackSaturate32To16: x + levelShift limited
// to 0..maxSample. Saturating to 16 bits first keeps the limit's result; the low byte of each
// 16-bit lane is what is stored.
template <class L>
[[gnu::always_inline]] inline typename L::V ScalarSamples(typename L::V a, typename L::V b,
                                                          int levelShift, int maxSample) {
    const typename L::V offset = L::Splat(levelShift);
    return L::LowBytes16(L::Clamp16(L::PackSaturate32To16(L::Add(a, offset), L::Add(b, offset)), 0,
                                    static_cast<std::int16_t>(maxSample)));
}

// True when every coefficient of the block but the first is 0: registers loaded from entry 1
// on, the last one ending at entry 63.
template <class L>
[[gnu::always_inline]] inline bool AcAllZero(const std::int32_t* coefficients) {
    typename L::V any = L::Load(coefficients + 64 - L::kCount);
#pragma GCC unroll 16
    for (int i = 1; i + L::kCount <= 64; i += L::kCount) {
        any = L::Or(any, L::Load(coefficients + i));
    }
    return L::AllZero(any);
}

}  // namespace
}  // namespace orvik::idct
