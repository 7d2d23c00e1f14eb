// InverseDctScalar: the Loeffler-Ligtenberg-Moschytz factorisation (12 multiplies, 32 adds
// a pass) with 13-bit constants, columns first, then rows.
//
// Pass 1 keeps 2 extra fraction bits: each output x is (x + 1024) >> 11. Pass 2 removes
// 13 + 2 + 3 bits: (x + 2^17) >> 18, then the level shift and the clamp. Sums and products
// wrap modulo 2^32, and every value is cut to its low 16 bits (S16) before it is multiplied
// by a constant; the wrap and the cuts are both part of the results. Columns and rows
// whose AC entries are all 0 skip the multiplies, which is part of the results too (it
// differs from the full path once the DC term wraps).
#include "decoder/idct_scalar.h"

#include <algorithm>
#include <cstddef>

#include "decoder/idct_constants.h"

namespace orvik {
namespace {

using namespace idct;

constexpr int kPass1Shift = kConstBits - 2;      // 11: keep 2 fraction bits
constexpr int kPass2Shift = kConstBits + 2 + 3;  // 18: remove constants, fraction, the 8
constexpr int kDcOnlyPass2Shift = 2 + 3;         // 5

// The low 16 bits of x, read as a signed number.
std::int32_t S16(std::uint32_t x) {
    return static_cast<std::int16_t>(x);
}

// S16(x) times a constant; cannot overflow.
std::uint32_t Mul(std::uint32_t x, std::int32_t constant) {
    return static_cast<std::uint32_t>(S16(x) * constant);
}

// Arithmetic shift of a wrapped 32-bit value, with the rounding term added first.
std::int32_t Descale(std::uint32_t x, int shift) {
    return static_cast<std::int32_t>(x + (1u << (shift - 1))) >> shift;
}

// The shared butterfly on eight wrapped 32-bit inputs; outputs before descaling.
void Butterfly(const std::uint32_t (&e)[8], std::uint32_t (&out)[8]) {
    const std::uint32_t z1 = Mul(e[2] + e[6], kFix0_541196100);
    const std::uint32_t tmp2 = z1 - Mul(e[6], kFix1_847759065);
    const std::uint32_t tmp3 = z1 + Mul(e[2], kFix0_765366865);
    const std::uint32_t tmp0 = (e[0] + e[4]) << kConstBits;
    const std::uint32_t tmp1 = (e[0] - e[4]) << kConstBits;
    const std::uint32_t tmp10 = tmp0 + tmp3;
    const std::uint32_t tmp13 = tmp0 - tmp3;
    const std::uint32_t tmp11 = tmp1 + tmp2;
    const std::uint32_t tmp12 = tmp1 - tmp2;

    const std::uint32_t z5 = Mul(e[7] + e[3] + e[5] + e[1], kFix1_175875602);
    const std::uint32_t z3 = z5 - Mul(e[7] + e[3], kFix1_961570560);
    const std::uint32_t z4 = z5 - Mul(e[5] + e[1], kFix0_390180644);
    const std::uint32_t oz1 = 0u - Mul(e[7] + e[1], kFix0_899976223);
    const std::uint32_t oz2 = 0u - Mul(e[5] + e[3], kFix2_562915447);
    const std::uint32_t p0 = Mul(e[7], kFix0_298631336) + oz1 + z3;
    const std::uint32_t p1 = Mul(e[5], kFix2_053119869) + oz2 + z4;
    const std::uint32_t p2 = Mul(e[3], kFix3_072711026) + oz2 + z3;
    const std::uint32_t p3 = Mul(e[1], kFix1_501321110) + oz1 + z4;

    out[0] = tmp10 + p3;
    out[1] = tmp11 + p2;
    out[2] = tmp12 + p1;
    out[3] = tmp13 + p0;
    out[4] = tmp13 - p0;
    out[5] = tmp12 - p1;
    out[6] = tmp11 - p2;
    out[7] = tmp10 - p3;
}

}  // namespace

void InverseDctScalar(const std::int32_t* coefficients, const std::int32_t* quant,
                      std::uint8_t* out, int stride, int levelShift, int maxSample) {
    std::int32_t workspace[64];
    for (int c = 0; c < 8; ++c) {
        bool acZero = true;
        for (int r = 1; r < 8; ++r) {
            acZero = acZero && coefficients[8 * r + c] == 0;
        }
        std::uint32_t e[8];
        for (int r = 0; r < 8; ++r) {
            e[r] = static_cast<std::uint32_t>(
                       S16(static_cast<std::uint32_t>(coefficients[8 * r + c]))) *
                   static_cast<std::uint32_t>(quant[8 * r + c]);
        }
        if (acZero) {
            const auto dc = static_cast<std::int32_t>(e[0] << 2);
            for (int r = 0; r < 8; ++r) {
                workspace[8 * r + c] = dc;
            }
            continue;
        }
        std::uint32_t x[8];
        Butterfly(e, x);
        for (int r = 0; r < 8; ++r) {
            workspace[8 * r + c] = Descale(x[r], kPass1Shift);
        }
    }

    auto clamp = [levelShift, maxSample](std::int32_t value) {
        return static_cast<std::uint8_t>(std::clamp(value + levelShift, 0, maxSample));
    };
    for (int r = 0; r < 8; ++r) {
        const std::int32_t* w = workspace + 8 * r;
        std::uint8_t* row = out + static_cast<std::ptrdiff_t>(r) * stride;
        if (std::all_of(w + 1, w + 8, [](std::int32_t v) { return v == 0; })) {
            std::fill_n(row, 8,
                        clamp(Descale(static_cast<std::uint32_t>(w[0]), kDcOnlyPass2Shift)));
            continue;
        }
        std::uint32_t e[8];
        for (int k = 0; k < 8; ++k) {
            e[k] = static_cast<std::uint32_t>(w[k]);
        }
        std::uint32_t x[8];
        Butterfly(e, x);
        for (int k = 0; k < 8; ++k) {
            row[k] = clamp(Descale(x[k], kPass2Shift));
        }
    }
}

}  // namespace orvik
