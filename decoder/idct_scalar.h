// InverseDctScalar: dequantisation, 8x8 inverse DCT, level shift and clamping in 32-bit
// integers, the transform of the variant without packed arithmetic.
#pragma once

#include <cstdint>

#include "decoder/simd_support.h"

namespace orvik {

// coefficients: 64 entries in natural order; quant: the 32-bit quantisation table (natural
// order). Writes sample (r, c) to out[r * stride + c]. levelShift and maxSample are 128 and
// 255 for 8-bit samples.
void InverseDctScalar(const std::int32_t* coefficients, const std::int32_t* quant,
                      std::uint8_t* out, int stride, int levelShift, int maxSample);

#if defined(__SSE2__)
// The same numbers with SSE2, four columns or rows a step. Needs quantisers within 0..32767
// (LoadFrameTables stores 0..255).
void InverseDctScalarSse2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample);
#endif

#if defined(ORVIK_HAS_AVX2_TWINS)
// The same numbers with AVX2, eight columns or rows a step; same quantiser range. Call only
// where ProcessorHasAvx2().
void InverseDctScalarAvx2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample);
#endif

}  // namespace orvik
