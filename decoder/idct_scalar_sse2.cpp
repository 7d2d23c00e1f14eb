// InverseDctScalarSse2: InverseDctScalar with SSE2, giving its numbers exactly, four columns
// (pass 1) or four rows (pass 2) a step in 32-bit lanes. The 16-bit cuts come for free: the
// pair multiply-add with the pair (K, 0) multiplies the low 16 bits of each lane, as a signed
// number, by K and drops the high half, which is S16(x) * K. The all-zero shortcuts are
// computed beside the full path and chosen lane by lane. A block whose AC entries are all 0
// gets both shortcuts at once: every sample is clamp(((S16(c0) x q0 x 4 + 16) >> 5) + shift).
#include "decoder/idct_scalar.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include "decoder/fill_block.h"
#include "decoder/idct_scalar_lanes.h"
#include "decoder/idct_transposes.h"
#include "platform/simd_lanes.h"

namespace orvik {

using namespace idct;

void InverseDctScalarSse2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample) {
    if (AcAllZero<Sse2Lanes>(coefficients)) {
        FillBlock(ScalarDcOnlySample(coefficients[0], quant[0], levelShift, maxSample), out,
                  stride);
        return;
    }
    // w[h][r]: columns 4h..4h+3 of workspace row r.
    __m128i w[2][8];
    ScalarColumns<Sse2Lanes>(coefficients, quant, 0, w[0]);
    ScalarColumns<Sse2Lanes>(coefficients, quant, 4, w[1]);

    // t[h][k]: entry k of rows 4h..4h+3. The loops over rows are unrolled by pragma: GCC 12 at
    // -O2 kept them as loops over arrays in memory (bench/NOTES.md).
    __m128i t[2][8];
#pragma GCC unroll 8
    for (int rh = 0; rh < 2; ++rh) {
#pragma GCC unroll 8
        for (int ch = 0; ch < 2; ++ch) {
            __m128i r0 = w[ch][4 * rh], r1 = w[ch][4 * rh + 1];
            __m128i r2 = w[ch][4 * rh + 2], r3 = w[ch][4 * rh + 3];
            Transpose4x32(r0, r1, r2, r3);
            t[rh][4 * ch] = r0;
            t[rh][4 * ch + 1] = r1;
            t[rh][4 * ch + 2] = r2;
            t[rh][4 * ch + 3] = r3;
        }
    }
    ScalarRows<Sse2Lanes>(t[0]);
    ScalarRows<Sse2Lanes>(t[1]);

    __m128i columns[8];
#pragma GCC unroll 8
    for (int k = 0; k < 8; ++k) {
        columns[k] = ScalarSamples<Sse2Lanes>(t[0][k], t[1][k], levelShift, maxSample);
    }
    Transpose8x16(columns);
    StoreRows8(columns, out, stride);
}

}  // namespace orvik

#endif
