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

#include "decoder/idct_scalar_lanes.h"

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

// One 32-bit value as the butterfly's lane (decoder/idct_scalar_lanes.h).
struct PortableLane {
    using V = std::uint32_t;
    static V Add(V a, V b) { return a + b; }
    static V Sub(V a, V b) { return a - b; }
    static V ShiftLeft(V x, int n) { return x << n; }
    static V MulS16(V x, std::int32_t k) { return static_cast<V>(S16(x) * k); }
    // Arithmetic shift of a wrapped value, with the rounding term added first.
    static std::int32_t Descale(V x, int shift) {
        return static_cast<std::int32_t>(x + (1u << (shift - 1))) >> shift;
    }
};

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
        ScalarButterfly<PortableLane>(e, x);
        for (int r = 0; r < 8; ++r) {
            workspace[8 * r + c] = PortableLane::Descale(x[r], kPass1Shift);
        }
    }

    auto clamp = [levelShift, maxSample](std::int32_t value) {
        return static_cast<std::uint8_t>(std::clamp(value + levelShift, 0, maxSample));
    };
    for (int r = 0; r < 8; ++r) {
        const std::int32_t* w = workspace + 8 * r;
        std::uint8_t* row = out + static_cast<std::ptrdiff_t>(r) * stride;
        if (std::all_of(w + 1, w + 8, [](std::int32_t v) { return v == 0; })) {
            std::fill_n(
                row, 8,
                clamp(PortableLane::Descale(static_cast<std::uint32_t>(w[0]), kDcOnlyPass2Shift)));
            continue;
        }
        std::uint32_t e[8];
        for (int k = 0; k < 8; ++k) {
            e[k] = static_cast<std::uint32_t>(w[k]);
        }
        std::uint32_t x[8];
        ScalarButterfly<PortableLane>(e, x);
        for (int k = 0; k < 8; ++k) {
            row[k] = clamp(PortableLane::Descale(x[k], kPass2Shift));
        }
    }
}

}  // namespace orvik
