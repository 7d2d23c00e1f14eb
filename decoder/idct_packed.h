// InverseDctMmx: dequantisation, 8x8 inverse DCT, level shift and saturation in packed
// 16-bit arithmetic, the transform of the packed variant.
#pragma once

#include <cstdint>

namespace orvik {

// coefficients: 64 signed 16-bit entries in natural order; quant: the 16-bit quantisation
// table (natural order). Writes sample (r, c) to out[r * stride + c]; always level shift
// 128 and samples 0..255.
using PackedTransform = void (*)(const std::int16_t* coefficients, const std::int16_t* quant,
                                 std::uint8_t* out, int stride);

// The portable form, lane by lane; it defines the results.
void InverseDctMmx(const std::int16_t* coefficients, const std::int16_t* quant, std::uint8_t* out,
                   int stride);

// Its twins, equal to it bit for bit (x86-64 builds only; the AVX2 one where the processor
// has AVX2): eight columns, then eight rows, a step.
void InverseDctPackedSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride);
void InverseDctPackedAvx2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride);

}  // namespace orvik
