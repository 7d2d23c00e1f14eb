// The parts of the packed transform that its SSE2 and AVX2 twins share: the all-zero test,
// the DC-only block, and pass 2 over eight rows with the stores. Pass 2 works on 16-bit lanes,
// eight rows fill one 128-bit register, so AVX2 gains nothing there. See
// idct_packed_sse2.cpp for the arithmetic.
#pragma once

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "decoder/idct_constants.h"
#include "decoder/sse2_transpose.h"

namespace orvik::packed_sse2 {

using namespace idct;

// True when every entry of the block c (row r in c[r]) but the first is 0.
[[gnu::always_inline]] inline bool AcAllZero(const __m128i (&c)[8]) {
    __m128i ac = _mm_and_si128(c[0], _mm_set_epi16(-1, -1, -1, -1, -1, -1, -1, 0));
#pragma GCC unroll 8
    for (int r = 1; r < 8; ++r) {
        ac = _mm_or_si128(ac, c[r]);
    }
    return _mm_movemask_epi8(_mm_cmpeq_epi8(ac, _mm_setzero_si128())) == 0xFFFF;
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
inline void DcOnly(std::int16_t coefficient, std::int16_t quantiser, std::uint8_t* out,
                   int stride) {
    const std::int32_t d0 = static_cast<std::int16_t>(coefficient * quantiser);
    const auto pass1 = static_cast<std::int32_t>(static_cast<std::uint32_t>(d0 * 8192) + 256) >> 9;
    const auto workspace = static_cast<std::int16_t>(std::clamp(pass1, -32768, 32767));
    const auto sum = static_cast<std::int16_t>((workspace >> 3) + (128 * 16 + 8));
    const auto sample = static_cast<std::uint8_t>(std::clamp(sum >> 4, 0, 255));
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        std::memset(out + static_cast<std::ptrdiff_t>(r) * stride, sample, 8);
    }
}

// The saturated pass-1 workspace (row r in workspace[r]) to samples at out.
[[gnu::always_inline]] inline void Pass2AndStore(__m128i (&workspace)[8], std::uint8_t* out,
                                                 int stride) {
    sse2::Transpose8x16(workspace);
    Pass2(workspace);
    sse2::Transpose8x16(workspace);
    sse2::StoreRows8(workspace, out, stride);
}

}  // namespace orvik::packed_sse2
