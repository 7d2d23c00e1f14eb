// ConvertPackedRowAvx2: the AVX2 twin of the packed conversion's portable row, equal to it bit
// for bit for every input and every colour matrix.
//
// Where every term fits in 16 bits (ColourMatrix::fitsSixteenBits: the default adjustments and
// most others), sixteen pairs a step: a channel's two chroma terms are formed once a pair by
// 16-bit multiplies, each pixel's sums by 16-bit saturating adds in the portable row's order,
// and the bytes are interleaved with byte shuffles: the faster of the two (bench/NOTES.md).
//
// Otherwise sixteen pixels a step, eight in each 128-bit half of a 256-bit register, in the
// SSE2 twin's lane code (colour/packed_row_lanes.h), where each product is formed in 32 bits
// by a multiply-add; each half is closed up and stored as the SSE2 twin stores its eight
// pixels.
#include <array>
#include <cstdint>
#include <cstring>

#include "colour/convert_planes.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include "colour/colour_matrix.h"

ORVIK_AVX2_BEGIN
#include "colour/packed_row_lanes.h"
#include "colour/pixel_lanes_avx2.h"

namespace orvik {
namespace {

constexpr int kPairsPerStep = 8;

// Sixteen chroma samples for sixteen pixels: each of eight bytes twice, minus the chroma zero.
__m256i LoadChroma(const std::uint8_t* p, __m256i chromaZero) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_unpacklo_epi8(bytes, bytes)), chromaZero);
}

// Sixteen pixels (eight pairs) a step, for any colour matrix.
void ConvertMultiplyAddSteps(const ColourMatrix& colour, const std::uint8_t*& y,
                             const std::uint8_t*& u, const std::uint8_t*& v, int steps,
                             std::uint8_t*& out) {
    const PackedRowStep<2> step(colour);
    const __m256i chromaZero = _mm256_set1_epi16(kChromaZero);
    for (int i = 0; i < steps; ++i) {
        const __m256i luma =
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y)));
        const PixelBytes<2> pixels =
            step(luma, LoadChroma(u, chromaZero), LoadChroma(v, chromaZero));
        StoreEightPixels(_mm256_castsi256_si128(pixels.blue), _mm256_castsi256_si128(pixels.green),
                         _mm256_castsi256_si128(pixels.red), out);
        StoreEightPixels(_mm256_extracti128_si256(pixels.blue, 1),
                         _mm256_extracti128_si256(pixels.green, 1),
                         _mm256_extracti128_si256(pixels.red, 1), out + 24);
        y += 2 * kPairsPerStep;
        u += kPairsPerStep;
        v += kPairsPerStep;
        out += 6 * kPairsPerStep;
    }
}

// The weights of one output colour in every 16-bit lane, in the order its terms are summed:
// the first chroma term, the luma term, the other chroma term.
struct ChannelWeights {
    __m256i first;
    __m256i luma;
    __m256i last;
};

ChannelWeights WeightsOf(std::int16_t first, std::int16_t luma, std::int16_t last) {
    return {_mm256_set1_epi16(first), _mm256_set1_epi16(luma), _mm256_set1_epi16(last)};
}

// One colour's 32 bytes, pixels in order: clamp8(sat16((sat16(sat16(first + luma) + last)
// >> shift) + offset)); first and last are the chroma of the pixels' pairs.
__m256i ColourBytes(const WideLuma& luma, __m256i first, __m256i last, const ChannelWeights& w,
                    __m256i lumaOffset) {
    const __m256i firstTerms = _mm256_mullo_epi16(first, w.first);
    const __m256i lastTerms = _mm256_mullo_epi16(last, w.last);
    const auto sum = [&](__m256i lumaTerms, __m256i firstOfPixels, __m256i lastOfPixels) {
        const __m256i total =
            _mm256_adds_epi16(_mm256_adds_epi16(firstOfPixels, lumaTerms), lastOfPixels);
        return _mm256_adds_epi16(_mm256_srai_epi16(total, kMatrixShift), lumaOffset);
    };
    return BytesInOrder(sum(_mm256_mullo_epi16(luma.first, w.luma), FirstPixels(firstTerms),
                            FirstPixels(lastTerms)),
                        sum(_mm256_mullo_epi16(luma.second, w.luma), SecondPixels(firstTerms),
                            SecondPixels(lastTerms)));
}

// Thirty-two pixels (sixteen pairs) a step; needs colour.fitsSixteenBits.
void ConvertSixteenBitSteps(const ColourMatrix& colour, const std::uint8_t*& y,
                            const std::uint8_t*& u, const std::uint8_t*& v, int steps,
                            std::uint8_t*& out) {
    const auto& m = colour.colourMatrix;
    const ChannelWeights blue = WeightsOf(m[kBlue][1], m[kBlue][0], m[kBlue][2]);
    const ChannelWeights green = WeightsOf(m[kGreen][1], m[kGreen][0], m[kGreen][2]);
    const ChannelWeights red = WeightsOf(m[kRed][2], m[kRed][0], m[kRed][1]);
    const __m256i lumaOffset = _mm256_set1_epi16(colour.lumaOffset);
    for (int i = 0; i < steps; ++i) {
        const WideLuma luma = LoadWideLuma(y);
        const __m256i uc = LoadPairChroma(u, kChromaZero);
        const __m256i vc = LoadPairChroma(v, kChromaZero);
        StoreThirtyTwoPixels({ColourBytes(luma, uc, vc, blue, lumaOffset),
                              ColourBytes(luma, uc, vc, green, lumaOffset),
                              ColourBytes(luma, vc, uc, red, lumaOffset)},
                             out);
        y += 2 * kPairsPerWideStep;
        u += kPairsPerWideStep;
        v += kPairsPerWideStep;
        out += 6 * kPairsPerWideStep;
    }
}

}  // namespace

void ConvertPackedRowAvx2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out) {
    if (colour.fitsSixteenBits) {
        const int wideSteps = pairs / kPairsPerWideStep;
        ConvertSixteenBitSteps(colour, y, u, v, wideSteps, out);
        pairs -= wideSteps * kPairsPerWideStep;
    }
    const int steps = pairs / kPairsPerStep;
    ConvertMultiplyAddSteps(colour, y, u, v, steps, out);
    ConvertPackedRowSse2(colour, y, u, v, pairs - steps * kPairsPerStep, out);
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
