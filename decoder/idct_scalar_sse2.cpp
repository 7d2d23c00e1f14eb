// InverseDctScalarSse2: InverseDctScalar with SSE2, giving its numbers exactly, four
// columns (pass 1) or four rows (pass 2) a step in 32-bit lanes. The 16-bit cuts come for
// free: pmaddwd with the pair (K, 0) multiplies the low 16 bits of each lane, as a signed
// number, by K and drops the high half, which is S16(x) * K. The all-zero shortcuts are
// computed beside the full path and chosen lane by lane. A block whose AC entries are all 0
// gets both shortcuts at once: every sample is clamp(((S16(c0) x q0 x 4 + 16) >> 5) + shift).
//
// The loops over rows are unrolled by pragma: gcc 12 -O2 kept them as loops over arrays in
// memory (callgrind: 1,019 instructions a block on a 640x480 quality-75 frame).
#include "decoder/idct_scalar.h"

#include "platform/processor.h"

#if defined(ORVIK_X86_TWINS)
#include <emmintrin.h>

#include <cstddef>

#include "decoder/idct_constants.h"
#include "decoder/idct_scalar_dc_only.h"
#include "decoder/sse2_transpose.h"

namespace orvik {
namespace {

using namespace idct;

// S16(x) * constant in every lane.
[[gnu::always_inline]] inline __m128i Mul(__m128i x, std::int32_t constant) {
    return _mm_madd_epi16(x, _mm_set1_epi32(constant & 0xFFFF));
}

[[gnu::always_inline]] inline __m128i Descale(__m128i x, int shift) {
    return _mm_srai_epi32(_mm_add_epi32(x, _mm_set1_epi32(1 << (shift - 1))), shift);
}

// Lanes whose value is 0 in every one of e[1..7].
[[gnu::always_inline]] inline __m128i AcZero(const __m128i (&e)[8]) {
    __m128i any = e[1];
#pragma GCC unroll 8
    for (int k = 2; k < 8; ++k) {
        any = _mm_or_si128(any, e[k]);
    }
    return _mm_cmpeq_epi32(any, _mm_setzero_si128());
}

[[gnu::always_inline]] inline __m128i Select(__m128i mask, __m128i ifSet, __m128i otherwise) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

// The shared butterfly on four lanes; outputs before descaling.
[[gnu::always_inline]] inline void Butterfly(const __m128i (&e)[8], __m128i (&out)[8]) {
    const __m128i z1 = Mul(_mm_add_epi32(e[2], e[6]), kFix0_541196100);
    const __m128i tmp2 = _mm_sub_epi32(z1, Mul(e[6], kFix1_847759065));
    const __m128i tmp3 = _mm_add_epi32(z1, Mul(e[2], kFix0_765366865));
    const __m128i tmp0 = _mm_slli_epi32(_mm_add_epi32(e[0], e[4]), kConstBits);
    const __m128i tmp1 = _mm_slli_epi32(_mm_sub_epi32(e[0], e[4]), kConstBits);
    const __m128i tmp10 = _mm_add_epi32(tmp0, tmp3);
    const __m128i tmp13 = _mm_sub_epi32(tmp0, tmp3);
    const __m128i tmp11 = _mm_add_epi32(tmp1, tmp2);
    const __m128i tmp12 = _mm_sub_epi32(tmp1, tmp2);

    const __m128i s73 = _mm_add_epi32(e[7], e[3]);
    const __m128i s51 = _mm_add_epi32(e[5], e[1]);
    const __m128i z5 = Mul(_mm_add_epi32(s73, s51), kFix1_175875602);
    const __m128i z3 = _mm_sub_epi32(z5, Mul(s73, kFix1_961570560));
    const __m128i z4 = _mm_sub_epi32(z5, Mul(s51, kFix0_390180644));
    const __m128i z1n = Mul(_mm_add_epi32(e[7], e[1]), -kFix0_899976223);
    const __m128i z2n = Mul(_mm_add_epi32(e[5], e[3]), -kFix2_562915447);
    const __m128i p0 = _mm_add_epi32(_mm_add_epi32(Mul(e[7], kFix0_298631336), z1n), z3);
    const __m128i p1 = _mm_add_epi32(_mm_add_epi32(Mul(e[5], kFix2_053119869), z2n), z4);
    const __m128i p2 = _mm_add_epi32(_mm_add_epi32(Mul(e[3], kFix3_072711026), z2n), z3);
    const __m128i p3 = _mm_add_epi32(_mm_add_epi32(Mul(e[1], kFix1_501321110), z1n), z4);

    out[0] = _mm_add_epi32(tmp10, p3);
    out[1] = _mm_add_epi32(tmp11, p2);
    out[2] = _mm_add_epi32(tmp12, p1);
    out[3] = _mm_add_epi32(tmp13, p0);
    out[4] = _mm_sub_epi32(tmp13, p0);
    out[5] = _mm_sub_epi32(tmp12, p1);
    out[6] = _mm_sub_epi32(tmp11, p2);
    out[7] = _mm_sub_epi32(tmp10, p3);
}

// Pass 1 for columns 4h..4h+3 into w[r][h] (row r of the workspace, half h).
[[gnu::always_inline]] inline void Pass1(const std::int32_t* coefficients,
                                         const std::int32_t* quant, int h, __m128i (&w)[8][2]) {
    __m128i coef[8];
    __m128i e[8];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        coef[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * r + 4 * h));
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * r + 4 * h));
        e[r] = _mm_madd_epi16(coef[r], q);  // S16(coefficient) * quantiser
    }
    const __m128i dcOnly = AcZero(coef);
    const __m128i dc = _mm_slli_epi32(e[0], 2);
    __m128i x[8];
    Butterfly(e, x);
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        w[r][h] = Select(dcOnly, dc, Descale(x[r], kConstBits - 2));
    }
}

// Pass 2 for four rows: t[k] holds entry k of each row. Returns the samples of entry k in
// out[k], clamped, 32-bit.
[[gnu::always_inline]] inline void Pass2(const __m128i (&t)[8], __m128i offset, __m128i (&out)[8]) {
    const __m128i dcOnly = AcZero(t);
    const __m128i dc = Descale(t[0], 5);
    __m128i x[8];
    Butterfly(t, x);
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        out[k] = _mm_add_epi32(Select(dcOnly, dc, Descale(x[k], kConstBits + 5)), offset);
    }
}

// True when every entry but the first is 0.
bool AcAllZero(const std::int32_t* coefficients) {
    __m128i any = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients)),
                                _mm_set_epi32(-1, -1, -1, 0));
#pragma GCC unroll 8
    for (int i = 4; i < 64; i += 4) {
        any =
            _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + i)));
    }
    return _mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) == 0xFFFF;
}

}  // namespace

void InverseDctScalarSse2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample) {
    if (AcAllZero(coefficients)) {
        ScalarDcOnly(coefficients[0], quant[0], out, stride, levelShift, maxSample);
        return;
    }
    __m128i w[8][2];
    Pass1(coefficients, quant, 0, w);
    Pass1(coefficients, quant, 1, w);

    // t[half of the rows][entry]: entry k of rows 4h..4h+3.
    __m128i t[2][8];
#pragma GCC unroll 8
    for (int rh = 0; rh < 2; ++rh) {
#pragma GCC unroll 8
        for (int ch = 0; ch < 2; ++ch) {
            __m128i r0 = w[4 * rh][ch], r1 = w[4 * rh + 1][ch];
            __m128i r2 = w[4 * rh + 2][ch], r3 = w[4 * rh + 3][ch];
            sse2::Transpose4x32(r0, r1, r2, r3);
            t[rh][4 * ch] = r0;
            t[rh][4 * ch + 1] = r1;
            t[rh][4 * ch + 2] = r2;
            t[rh][4 * ch + 3] = r3;
        }
    }
    const __m128i offset = _mm_set1_epi32(levelShift);
    __m128i samples[2][8];
    Pass2(t[0], offset, samples[0]);
    Pass2(t[1], offset, samples[1]);

    // Saturating to 16 bits keeps the clamp's result; the low byte is what is stored.
    const __m128i zero = _mm_setzero_si128();
    const __m128i maximum = _mm_set1_epi16(static_cast<std::int16_t>(maxSample));
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i columns[8];
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        const __m128i packed = _mm_packs_epi32(samples[0][k], samples[1][k]);
        columns[k] = _mm_and_si128(_mm_min_epi16(_mm_max_epi16(packed, zero), maximum), lowByte);
    }
    sse2::Transpose8x16(columns);
    sse2::StoreRows8(columns, out, stride);
}

}  // namespace orvik

#endif
