// InverseDctPackedSse2: InverseDctPacked with SSE2, giving its numbers exactly. Pass 1 takes all
// eight columns, four 32-bit lanes at a time: the paired multiply-add (pmaddwd) forms each
// 32-bit sum of two products exactly modulo 2^32. Pass 2 takes all eight rows at once after
// a transpose: 16-bit wrapping adds and high-half multiplies (pmulhw), which is M(x, K)
// itself; the final pack saturates to 0..255. A block whose AC entries are all 0 (common in
// smooth areas and in U and V) takes a short path with the same numbers.
#include "decoder/idct_packed.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include "decoder/idct_packed_lanes.h"
#include "platform/simd_lanes.h"

namespace orvik {

using namespace idct;

namespace {

// Pass 1 on columns 0..3, then 4..7.
struct Sse2Columns {
    [[gnu::always_inline]] static void Workspace(const __m128i (&d)[8], __m128i (&workspace)[8]) {
        __m128i low[8];
        __m128i high[8];
        PackedColumns<Sse2Lanes>(InterleaveLow16(d[0], d[4]), InterleaveLow16(d[2], d[6]),
                                 InterleaveLow16(d[7], d[3]), InterleaveLow16(d[5], d[1]), low);
        PackedColumns<Sse2Lanes>(InterleaveHigh16(d[0], d[4]), InterleaveHigh16(d[2], d[6]),
                                 InterleaveHigh16(d[7], d[3]), InterleaveHigh16(d[5], d[1]), high);
        // This loop and the twin's other loops over rows are unrolled by pragma: GCC 12 at -O2
        // kept them as loops over arrays in memory (423 against 314 instructions a block;
        // bench/NOTES.md).
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            workspace[r] = PackSaturate32To16(low[r], high[r]);  // saturates to 16 bits
        }
    }
};

}  // namespace

void InverseDctPackedSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride) {
    InverseDctPackedWith<Sse2Columns>(coefficients, quant, out, stride);
}

}  // namespace orvik

#endif
