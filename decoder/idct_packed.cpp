// InverseDctPacked, written lane by lane: what the packed instructions compute, one lane at a
// time. The Loeffler-Ligtenberg-Moschytz factorisation with 13-bit constants, columns
// first, then rows, with no all-zero shortcut.
//
// Dequantisation keeps the low 16 bits of each product. Pass 1 works in 32 bits (paired
// 16 x 16 multiply-adds, sums modulo 2^32), keeps 4 extra fraction bits, (x + 256) >> 9, and
// saturates to 16 bits. Pass 2 works in 16 bits with wrap-around; each multiply keeps the
// high half of the 32-bit product, M(x, K) = (x * K) >> 16, which is x * K / 8192 / 8, so
// the final division by 8 is folded in; the samples are (x + 2056) >> 4 saturated to 0..255,
// 2056 being the level shift 128 x 16 plus the rounding 8.
#include "decoder/idct_packed.h"

#include <algorithm>
#include <cstddef>

#include "decoder/idct_constants.h"

namespace orvik {
namespace {

using namespace idct;

constexpr int kPass1Shift = 9;
constexpr std::uint32_t kPass1Rounding = 1u << (kPass1Shift - 1);  // 256
constexpr int kTmp01Shift = 3;  // (C0 +- C4) / 8: the 8192 of pass 1 over 2^16, times 8
constexpr int kSampleShift = 4;
constexpr std::uint16_t kSampleOffset = 128 * 16 + 8;  // 2056

// A 16-bit lane: sums wrap modulo 2^16.
using Lane16 = std::uint16_t;

std::int32_t Signed(Lane16 x) {
    return static_cast<std::int16_t>(x);
}

// Product of two signed 16-bit values, modulo 2^32.
std::uint32_t Product(std::int32_t a, std::int32_t b) {
    return static_cast<std::uint32_t>(a * b);
}

// The high half of the signed 32-bit product.
Lane16 M(Lane16 x, std::int32_t constant) {
    return static_cast<Lane16>((Signed(x) * constant) >> 16);
}

std::int16_t Saturate16(std::int32_t x) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(x, -32768, 32767));
}

// One column of pass 1: eight dequantised values to eight 16-bit workspace values.
void Column(const std::int32_t (&d)[8], std::int16_t (&out)[8]) {
    const std::uint32_t tmp0 = Product(d[0], 8192) + Product(d[4], 8192);
    const std::uint32_t tmp1 = Product(d[0], 8192) - Product(d[4], 8192);
    const std::uint32_t tmp2 = Product(d[2], kFix0_541196100) + Product(d[6], kTmp2D6);
    const std::uint32_t tmp3 = Product(d[2], kTmp3D2) + Product(d[6], kFix0_541196100);
    const std::uint32_t z5 = Product(d[7], kFix1_175875602) + Product(d[3], kFix1_175875602) +
                             Product(d[5], kFix1_175875602) + Product(d[1], kFix1_175875602);
    const std::uint32_t p3 =
        z5 + Product(d[1], kP3D1) - Product(d[5], kFix0_390180644) - Product(d[7], kFix0_899976223);
    const std::uint32_t p2 =
        z5 + Product(d[3], kP2D3) - Product(d[5], kFix2_562915447) - Product(d[7], kFix1_961570560);
    const std::uint32_t p1 =
        z5 - Product(d[1], kFix0_390180644) - Product(d[3], kFix2_562915447) + Product(d[5], kP1D5);
    const std::uint32_t p0 =
        z5 - Product(d[1], kFix0_899976223) - Product(d[3], kFix1_961570560) + Product(d[7], kP0D7);
    const std::uint32_t x[8] = {tmp0 + tmp3 + p3, tmp1 + tmp2 + p2, tmp1 - tmp2 + p1,
                                tmp0 - tmp3 + p0, tmp0 - tmp3 - p0, tmp1 - tmp2 - p1,
                                tmp1 + tmp2 - p2, tmp0 + tmp3 - p3};
    for (int r = 0; r < 8; ++r) {
        out[r] = Saturate16(static_cast<std::int32_t>(x[r] + kPass1Rounding) >> kPass1Shift);
    }
}

// One row of pass 2: eight workspace values to eight samples.
void Row(const Lane16 (&c)[8], std::uint8_t* out) {
    const Lane16 z5 = M(static_cast<Lane16>(c[1] + c[3] + c[5] + c[7]), kFix1_175875602);
    const Lane16 p3 = z5 + M(c[1], kP3D1) + M(c[5], -kFix0_390180644) + M(c[7], -kFix0_899976223);
    const Lane16 p2 = z5 + M(c[3], kP2D3) + M(c[5], -kFix2_562915447) + M(c[7], -kFix1_961570560);
    const Lane16 p1 = z5 + M(c[1], -kFix0_390180644) + M(c[3], -kFix2_562915447) + M(c[5], kP1D5);
    const Lane16 p0 = z5 + M(c[1], -kFix0_899976223) + M(c[3], -kFix1_961570560) + M(c[7], kP0D7);
    const Lane16 tmp0 =
        static_cast<Lane16>(Signed(static_cast<Lane16>(c[0] + c[4])) >> kTmp01Shift);
    const Lane16 tmp1 =
        static_cast<Lane16>(Signed(static_cast<Lane16>(c[0] - c[4])) >> kTmp01Shift);
    const Lane16 tmp3 = M(c[2], kTmp3D2) + M(c[6], kFix0_541196100);
    const Lane16 tmp2 = M(c[2], kFix0_541196100) + M(c[6], kTmp2D6);
    const Lane16 x[8] = {
        static_cast<Lane16>(tmp0 + tmp3 + p3), static_cast<Lane16>(tmp1 + tmp2 + p2),
        static_cast<Lane16>(tmp1 - tmp2 + p1), static_cast<Lane16>(tmp0 - tmp3 + p0),
        static_cast<Lane16>(tmp0 - tmp3 - p0), static_cast<Lane16>(tmp1 - tmp2 - p1),
        static_cast<Lane16>(tmp1 + tmp2 - p2), static_cast<Lane16>(tmp0 + tmp3 - p3)};
    for (int k = 0; k < 8; ++k) {
        const std::int32_t sample =
            Signed(static_cast<Lane16>(x[k] + kSampleOffset)) >> kSampleShift;
        out[k] = static_cast<std::uint8_t>(std::clamp(sample, 0, 255));
    }
}

}  // namespace

void InverseDctPacked(const std::int16_t* coefficients, const std::int16_t* quant,
                      std::uint8_t* out, int stride) {
    std::int16_t workspace[64];
    for (int c = 0; c < 8; ++c) {
        std::int32_t d[8];
        for (int r = 0; r < 8; ++r) {
            d[r] = static_cast<std::int16_t>(coefficients[8 * r + c] * quant[8 * r + c]);
        }
        std::int16_t column[8];
        Column(d, column);
        for (int r = 0; r < 8; ++r) {
            workspace[8 * r + c] = column[r];
        }
    }
    for (int r = 0; r < 8; ++r) {
        Lane16 c[8];
        for (int k = 0; k < 8; ++k) {
            c[k] = static_cast<Lane16>(workspace[8 * r + k]);
        }
        Row(c, out + static_cast<std::ptrdiff_t>(r) * stride);
    }
}

}  // namespace orvik
