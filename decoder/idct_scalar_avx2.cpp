// InverseDctScalarAvx2: InverseDctScalar with AVX2, giving its numbers exactly, all eight
// columns (pass 1) and then all eight rows (pass 2) a step in 32-bit lanes. The arithmetic is
// that of the SSE2 twin: vpmaddwd with the pair (K, 0) is S16(x) * K, sums wrap modulo 2^32,
// and the all-zero shortcuts are computed beside the full path and blended lane by lane. A
// block whose AC entries are all 0 takes the whole-block shortcut of the SSE2 twin.
//
// Compiled for AVX2 through the target attribute, so the rest of the build stays SSE2; the
// MCU loop calls it only when the processor reports AVX2. The loops over rows are unrolled by
// pragma: gcc 12 -O2 left them as loops over arrays in memory. Measured with callgrind on a
// 640x480 quality-75 frame: the SSE2 twin (loops not unrolled) cost 1,019 instructions a
// block, this one 253; the whole frame went from 14.0 to 6.1 million against
// libjpeg-turbo's 7.9.
#include "decoder/idct_scalar.h"

#include "platform/processor.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <cstddef>

#include "decoder/idct_constants.h"
#include "decoder/idct_scalar_dc_only.h"

#define ORVIK_AVX2 gnu::target("avx2"), gnu::always_inline

namespace orvik {
namespace {

using namespace idct;

// S16(x) * constant in every lane.
[[ORVIK_AVX2]] inline __m256i Mul(__m256i x, std::int32_t constant) {
    return _mm256_madd_epi16(x, _mm256_set1_epi32(constant & 0xFFFF));
}

[[ORVIK_AVX2]] inline __m256i Descale(__m256i x, int shift) {
    return _mm256_srai_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1 << (shift - 1))), shift);
}

// Lanes whose value is 0 in every one of e[1..7].
[[ORVIK_AVX2]] inline __m256i AcZero(const __m256i (&e)[8]) {
    __m256i any = e[1];
#pragma GCC unroll 8
    for (int k = 2; k < 8; ++k) {
        any = _mm256_or_si256(any, e[k]);
    }
    return _mm256_cmpeq_epi32(any, _mm256_setzero_si256());
}

// The shared butterfly on eight lanes; outputs before descaling.
[[ORVIK_AVX2]] inline void Butterfly(const __m256i (&e)[8], __m256i (&out)[8]) {
    const __m256i z1 = Mul(_mm256_add_epi32(e[2], e[6]), kFix0_541196100);
    const __m256i tmp2 = _mm256_sub_epi32(z1, Mul(e[6], kFix1_847759065));
    const __m256i tmp3 = _mm256_add_epi32(z1, Mul(e[2], kFix0_765366865));
    const __m256i tmp0 = _mm256_slli_epi32(_mm256_add_epi32(e[0], e[4]), kConstBits);
    const __m256i tmp1 = _mm256_slli_epi32(_mm256_sub_epi32(e[0], e[4]), kConstBits);
    const __m256i tmp10 = _mm256_add_epi32(tmp0, tmp3);
    const __m256i tmp13 = _mm256_sub_epi32(tmp0, tmp3);
    const __m256i tmp11 = _mm256_add_epi32(tmp1, tmp2);
    const __m256i tmp12 = _mm256_sub_epi32(tmp1, tmp2);

    const __m256i s73 = _mm256_add_epi32(e[7], e[3]);
    const __m256i s51 = _mm256_add_epi32(e[5], e[1]);
    const __m256i z5 = Mul(_mm256_add_epi32(s73, s51), kFix1_175875602);
    const __m256i z3 = _mm256_sub_epi32(z5, Mul(s73, kFix1_961570560));
    const __m256i z4 = _mm256_sub_epi32(z5, Mul(s51, kFix0_390180644));
    const __m256i z1n = Mul(_mm256_add_epi32(e[7], e[1]), -kFix0_899976223);
    const __m256i z2n = Mul(_mm256_add_epi32(e[5], e[3]), -kFix2_562915447);
    const __m256i p0 = _mm256_add_epi32(_mm256_add_epi32(Mul(e[7], kFix0_298631336), z1n), z3);
    const __m256i p1 = _mm256_add_epi32(_mm256_add_epi32(Mul(e[5], kFix2_053119869), z2n), z4);
    const __m256i p2 = _mm256_add_epi32(_mm256_add_epi32(Mul(e[3], kFix3_072711026), z2n), z3);
    const __m256i p3 = _mm256_add_epi32(_mm256_add_epi32(Mul(e[1], kFix1_501321110), z1n), z4);

    out[0] = _mm256_add_epi32(tmp10, p3);
    out[1] = _mm256_add_epi32(tmp11, p2);
    out[2] = _mm256_add_epi32(tmp12, p1);
    out[3] = _mm256_add_epi32(tmp13, p0);
    out[4] = _mm256_sub_epi32(tmp13, p0);
    out[5] = _mm256_sub_epi32(tmp12, p1);
    out[6] = _mm256_sub_epi32(tmp11, p2);
    out[7] = _mm256_sub_epi32(tmp10, p3);
}

// 8 x 8 32-bit values, v[r] holding row r; afterwards v[c] holds column c.
[[ORVIK_AVX2]] inline void Transpose8x32(__m256i (&v)[8]) {
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

// One pass over eight lanes: lanes whose e[1..7] are all 0 take shortcut, the others the
// butterfly descaled by shift.
[[ORVIK_AVX2]] inline void Pass(__m256i (&e)[8], __m256i zeroMask, __m256i shortcut, int shift) {
    __m256i x[8];
    Butterfly(e, x);
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        e[k] = _mm256_blendv_epi8(Descale(x[k], shift), shortcut, zeroMask);
    }
}

[[gnu::target("avx2")]] bool AcAllZero(const std::int32_t* coefficients) {
    __m256i any =
        _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(coefficients)),
                         _mm256_set_epi32(-1, -1, -1, -1, -1, -1, -1, 0));
#pragma GCC unroll 8
    for (int i = 8; i < 64; i += 8) {
        any = _mm256_or_si256(
            any, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(coefficients + i)));
    }
    return _mm256_testz_si256(any, any) != 0;
}

}  // namespace

[[gnu::target("avx2")]] void InverseDctScalarAvx2(const std::int32_t* coefficients,
                                                  const std::int32_t* quant, std::uint8_t* out,
                                                  int stride, int levelShift, int maxSample) {
    if (AcAllZero(coefficients)) {
        ScalarDcOnly(coefficients[0], quant[0], out, stride, levelShift, maxSample);
        return;
    }
    // Pass 1: v[r] is row r, one lane a column.
    __m256i v[8];
    __m256i acAny = _mm256_setzero_si256();
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        const __m256i c =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(coefficients + 8 * r));
        const __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 8 * r));
        if (r != 0) {
            acAny = _mm256_or_si256(acAny, c);
        }
        v[r] = _mm256_madd_epi16(c, q);  // S16(coefficient) * quantiser
    }
    const __m256i columnDcOnly = _mm256_cmpeq_epi32(acAny, _mm256_setzero_si256());
    Pass(v, columnDcOnly, _mm256_slli_epi32(v[0], 2), kConstBits - 2);

    // Pass 2: v[k] is entry k of every row, one lane a row.
    Transpose8x32(v);
    Pass(v, AcZero(v), Descale(v[0], 5), kConstBits + 5);
    Transpose8x32(v);

    // Saturating to 16 bits keeps the clamp's result; the low byte is what is stored. After
    // the packs, 128-bit half h of rows01 holds columns 4h..4h+3 of rows 0 and 1, and so on.
    const __m256i offset = _mm256_set1_epi32(levelShift);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i maximum = _mm256_set1_epi16(static_cast<std::int16_t>(maxSample));
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    __m256i pairs[4];
#pragma GCC unroll 8
    for (int p = 0; p < 4; ++p) {
        const __m256i packed = _mm256_packs_epi32(_mm256_add_epi32(v[2 * p], offset),
                                                  _mm256_add_epi32(v[2 * p + 1], offset));
        pairs[p] =
            _mm256_and_si256(_mm256_min_epi16(_mm256_max_epi16(packed, zero), maximum), lowByte);
    }
    // Bytes of four rows, columns 0..3 in the low half, 4..7 in the high half, put back in
    // row order: eight bytes a row.
    const __m256i rowOrder = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
#pragma GCC unroll 8
    for (int g = 0; g < 2; ++g) {
        const __m256i bytes = _mm256_permutevar8x32_epi32(
            _mm256_packus_epi16(pairs[2 * g], pairs[2 * g + 1]), rowOrder);
        const __m128i low = _mm256_castsi256_si128(bytes);
        const __m128i high = _mm256_extracti128_si256(bytes, 1);
        std::uint8_t* row = out + static_cast<std::ptrdiff_t>(4 * g) * stride;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row), low);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + stride), _mm_srli_si128(low, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 2 * stride), high);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 3 * stride), _mm_srli_si128(high, 8));
    }
}

}  // namespace orvik

#endif
