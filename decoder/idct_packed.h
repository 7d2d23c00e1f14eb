// InverseDctMmx: dequantisation, 8x8 inverse DCT, level shift and saturation in packed
// 16-bit arithmetic, the transform of the variant the processor test picks on MMX machines.
#pragma once

#include <cstdint>

#include "decoder/simd_support.h"

namespace orvik {

// coefficients: 64 signed 16-bit entries in natural order; quant: the 16-bit quantisation
// table (natural order). Writes sample (r, c) to out[r * stride + c]; always level shift
// 128 and samples 0..255. This is the portable form, lane by lane.
void InverseDctMmx(const std::int16_t* coefficients, const std::int16_t* quant, std::uint8_t* out,
                   int stride);

#if defined(__SSE2__)
// The same numbers with SSE2: eight columns, then eight rows, a step.
void InverseDctMmxSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                       std::uint8_t* out, int stride);
#endif

#if defined(ORVIK_HAS_AVX2_TWINS)
// The same numbers with AVX2 in pass 1. Call only where ProcessorHasAvx2().
void InverseDctMmxAvx2(const std::int16_t* coefficients, const std::int16_t* quant,
                       std::uint8_t* out, int stride);
#endif

}  // namespace orvik
