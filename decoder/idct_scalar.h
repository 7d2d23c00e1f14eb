// InverseDctScalar: dequantisation, 8x8 inverse DCT, level shift and clamping in 32-bit
// integers, the transform of the scalar variant.
#pragma once

#include <algorithm>
#include <cstdint>

namespace orvik {

// coefficients: 64 entries in natural order; quant: the 32-bit quantisation table (natural
// order). Writes sample (r, c) to out[r * stride + c]. levelShift and maxSample are 128 and
// 255 for 8-bit samples.
using ScalarTransform = void (*)(const std::int32_t* coefficients, const std::int32_t* quant,
                                 std::uint8_t* out, int stride, int levelShift, int maxSample);

// The sample all 64 positions of a block take in InverseDctScalar when its entries but the
// first are 0: both passes take their all-zero shortcuts, so it is
// clamp(((S16(coefficient) x quantiser x 4 + 16) >> 5) + levelShift), the product wrapping
// modulo 2^32.
inline std::uint8_t ScalarDcOnlySample(std::int32_t coefficient, std::int32_t quantiser,
                                       int levelShift, int maxSample) {
    const std::uint32_t pass1 = static_cast<std::uint32_t>(static_cast<std::int16_t>(coefficient)) *
                                static_cast<std::uint32_t>(quantiser) * 4u;
    const std::int32_t value = static_cast<std::int32_t>(pass1 + 16u) >> 5;
    return static_cast<std::uint8_t>(std::clamp(value + levelShift, 0, maxSample));
}

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
