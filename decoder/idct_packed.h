// InverseDctPacked: dequantisation, 8x8 inverse DCT, level shift and saturation in packed
// 16-bit arithmetic, the transform of the packed variant.
#pragma once

#include <algorithm>
#include <cstdint>

namespace orvik {

// coefficients: 64 signed 16-bit entries in natural order; quant: the 16-bit quantisation
// table (natural order). Writes sample (r, c) to out[r * stride + c]; always level shift
// 128 and samples 0..255.
using PackedTransform = void (*)(const std::int16_t* coefficients, const std::int16_t* quant,
                                 std::uint8_t* out, int stride);

// One block for the transform: what PackedTransform takes.
struct PackedBlock {
    const std::int16_t* coefficients;
    const std::int16_t* quant;
    std::uint8_t* out;
    int stride;
};

// Two blocks at once, each giving exactly what the packed transform gives it; their samples
// must not overlap.
using PackedPairTransform = void (*)(const PackedBlock& a, const PackedBlock& b);

// The pair transform of a kernel table without a two-block twin: one block after the other.
template <PackedTransform kTransform>
void TransformEach(const PackedBlock& a, const PackedBlock& b) {
    kTransform(a.coefficients, a.quant, a.out, a.stride);
    kTransform(b.coefficients, b.quant, b.out, b.stride);
}

// The sample all 64 positions of a block take in InverseDctPacked when its entries but the
// first are 0: d0 = S16(coefficient x quantiser); down column 0 pass 1 gives
// sat16((d0 x 8192 + 256) >> 9), every other workspace entry is 0, and along each row pass 2
// gives ((that >> 3) + 2056) >> 4, limited to 0..255.
inline std::uint8_t PackedDcOnlySample(std::int16_t coefficient, std::int16_t quantiser) {
    const std::int32_t d0 = static_cast<std::int16_t>(coefficient * quantiser);
    const auto pass1 = static_cast<std::int32_t>(static_cast<std::uint32_t>(d0 * 8192) + 256) >> 9;
    const auto workspace = static_cast<std::int16_t>(std::clamp(pass1, -32768, 32767));
    const auto sum = static_cast<std::int16_t>((workspace >> 3) + (128 * 16 + 8));
    return static_cast<std::uint8_t>(std::clamp(sum >> 4, 0, 255));
}

// The portable form, lane by lane; it defines the results.
void InverseDctPacked(const std::int16_t* coefficients, const std::int16_t* quant,
                      std::uint8_t* out, int stride);

// Its twins, equal to it bit for bit (x86-64 builds only; the AVX2 one where the processor
// has AVX2): eight columns, then eight rows, a step.
void InverseDctPackedSse2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride);
void InverseDctPackedAvx2(const std::int16_t* coefficients, const std::int16_t* quant,
                          std::uint8_t* out, int stride);
// Two blocks in one pass of the AVX2 twin's steps, one block in each 128-bit half.
void InverseDctPackedPairAvx2(const PackedBlock& a, const PackedBlock& b);

}  // namespace orvik
