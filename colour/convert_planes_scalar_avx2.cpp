// ConvertScalarRowAvx2: the AVX2 twin of the scalar conversion's portable row, thirty-two
// pixels a step in 16-bit lanes. Instead of looking each term up, it works it out as its table
// was filled: the 32-bit product of weight and sample, shifted down and cut to 16 bits, is
// bits 6..21 of the product, put together from the low and the high 16-bit halves of the
// product. So it equals the portable row for matrices whose tables follow their weights
// (ColourMatrix::termsFollowWeights), which ConvertPlanesScalar looks at once a picture. The sums
// are those of the portable row: a pair's chroma terms added with 16-bit wrap-around, a pixel's
// luma term added to them with 16-bit saturation, which limits to 0..255 as the 32-bit sum
// would.
#include <array>
#include <cstdint>

#include "colour/convert_planes.h"
#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include "colour/colour_matrix.h"

ORVIK_AVX2_BEGIN
#include "colour/pixel_lanes_avx2.h"

namespace orvik {
namespace {

// WeightedTerm in every 16-bit lane: bits 6..21 of weight · sample.
__m256i Term(__m256i sample, __m256i weight) {
    const __m256i low = _mm256_mullo_epi16(sample, weight);
    const __m256i high = _mm256_mulhi_epi16(sample, weight);
    return _mm256_or_si256(_mm256_srli_epi16(low, kMatrixShift),
                           _mm256_slli_epi16(high, 16 - kMatrixShift));
}

struct ChannelWeights {
    __m256i y;
    __m256i u;
    __m256i v;
};

ChannelWeights WeightsOf(const std::int16_t (&weights)[3]) {
    return {_mm256_set1_epi16(weights[0]), _mm256_set1_epi16(weights[1]),
            _mm256_set1_epi16(weights[2])};
}

// One colour's 32 bytes, pixels in order, from the luma table indices of the pixels and the
// chroma (less its zero) of their pairs.
__m256i ColourBytes(const WideLuma& index, __m256i u, __m256i v, const ChannelWeights& w) {
    const __m256i chroma = _mm256_add_epi16(Term(v, w.v), Term(u, w.u));
    return BytesInOrder(_mm256_adds_epi16(Term(index.first, w.y), FirstPixels(chroma)),
                        _mm256_adds_epi16(Term(index.second, w.y), SecondPixels(chroma)));
}

}  // namespace

void ConvertScalarRowAvx2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out) {
    const ChannelWeights blue = WeightsOf(colour.colourMatrix[kBlue]);
    const ChannelWeights green = WeightsOf(colour.colourMatrix[kGreen]);
    const ChannelWeights red = WeightsOf(colour.colourMatrix[kRed]);
    const __m256i lumaOffset = _mm256_set1_epi16(colour.lumaOffset);
    // The luma table index: Y plus the offset with 16-bit wrap-around, limited to 0..255.
    const auto index = [&lumaOffset](__m256i luma) {
        return _mm256_min_epi16(
            _mm256_max_epi16(_mm256_add_epi16(luma, lumaOffset), _mm256_setzero_si256()),
            _mm256_set1_epi16(255));
    };
    const int steps = pairs / kPairsPerWideStep;
    for (int i = 0; i < steps; ++i) {
        const WideLuma luma = LoadWideLuma(y);
        const WideLuma indices = {index(luma.first), index(luma.second)};
        const __m256i uc = LoadPairChroma(u, kChromaZero);
        const __m256i vc = LoadPairChroma(v, kChromaZero);
        StoreThirtyTwoPixels(
            {ColourBytes(indices, uc, vc, blue), ColourBytes(indices, uc, vc, green),
             ColourBytes(indices, uc, vc, red)},
            out);
        y += 2 * kPairsPerWideStep;
        u += kPairsPerWideStep;
        v += kPairsPerWideStep;
        out += 6 * kPairsPerWideStep;
    }
    ConvertScalarRow(colour, y, u, v, pairs - steps * kPairsPerWideStep, out);
}

}  // namespace orvik
ORVIK_AVX2_END

#endif
