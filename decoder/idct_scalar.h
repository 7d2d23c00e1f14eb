// InverseDctScalar: dequantisation, 8x8 inverse DCT, level shift and clamping in 32-bit
// integers, the transform of the scalar variant.
#pragma once

#include <cstdint>

namespace orvik {

// coefficients: 64 entries in natural order; quant: the 32-bit quantisation table (natural
// order). Writes sample (r, c) to out[r * stride + c]. levelShift and maxSample are 128 and
// 255 for 8-bit samples.
using ScalarTransform = void (*)(const std::int32_t* coefficients, const std::int32_t* quant,
                                 std::uint8_t* out, int stride, int levelShift, int maxSample);

// The portable form; it defines the results.
void InverseDctScalar(const std::int32_t* coefficients, const std::int32_t* quant,
                      std::uint8_t* out, int stride, int levelShift, int maxSample);

// Its twins, equal to it bit for bit for quantisers within 0..32767 (LoadFrameTables stores
// 0..255); x86-64 builds only, the AVX2 one where the processor has AVX2. Four (SSE2) or
// eight (AVX2) columns or rows a step.
void InverseDctScalarSse2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample);
void InverseDctScalarAvx2(const std::int32_t* coefficients, const std::int32_t* quant,
                          std::uint8_t* out, int stride, int levelShift, int maxSample);

}  // namespace orvik
