// SSE2 twin of the vector variant's portable lane code, equal to it bit for bit for every
// input and every colour matrix. Eight pixels a step in 16-bit lanes.
//
// Exactness: a product such as u·GU can need more than 16 bits, so the products are never
// formed alone in 16-bit lanes. Instead each first partial sum u·GU + y·GY is one
// multiply-add of interleaved (u, y) lanes with (GU, GY) into a 32-bit lane, which holds it
// exactly (|u|, |y| <= 255), and a saturating pack gives sat16 of it. The second partial sum
// adds v·GV the same way, as a multiply-add of (p, v) with (1, GV). The shift, the saturating
// add of the luma offset and the unsigned saturating pack are the portable steps lane by lane.
#include "colour/convert_planes_vector_kernels.h"

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cstring>

namespace orvik {
namespace {

constexpr int kWeightShift = 6;  // colourMatrix scale 64 back to sample units
constexpr int kPairsPerStep = 4;

// (a, b) repeated: the coefficient operand of one multiply-add.
__m128i CoefficientPair(std::int16_t a, std::int16_t b) {
    return _mm_unpacklo_epi16(_mm_set1_epi16(a), _mm_set1_epi16(b));
}

struct ChannelCoefficients {
    __m128i firstAndY;   // (first weight, Y weight)
    __m128i oneAndLast;  // (1, last weight)
};

ChannelCoefficients Coefficients(std::int16_t first, std::int16_t yWeight, std::int16_t last) {
    return {CoefficientPair(first, yWeight), CoefficientPair(1, last)};
}

// sat16(sat16(first·F + y·Y) + last·L) for eight lanes; firstY holds the interleaved
// (first, y) lanes, low and high half.
__m128i Channel(__m128i firstYLow, __m128i firstYHigh, __m128i last, const ChannelCoefficients& k) {
    const __m128i partial = _mm_packs_epi32(_mm_madd_epi16(firstYLow, k.firstAndY),
                                            _mm_madd_epi16(firstYHigh, k.firstAndY));
    return _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(partial, last), k.oneAndLast),
                           _mm_madd_epi16(_mm_unpackhi_epi16(partial, last), k.oneAndLast));
}

// clamp8(sat16((t >> 6) + lumaOffset)), the eight bytes in the low half.
__m128i Finish(__m128i t, __m128i lumaOffset) {
    const __m128i shifted = _mm_adds_epi16(_mm_srai_epi16(t, kWeightShift), lumaOffset);
    return _mm_packus_epi16(shifted, shifted);
}

// Eight chroma samples for eight pixels: each of four bytes twice, minus 128.
__m128i LoadChroma(const std::uint8_t* p, __m128i zero, __m128i chromaZero) {
    std::int32_t four;
    std::memcpy(&four, p, sizeof four);
    const __m128i bytes = _mm_cvtsi32_si128(four);
    return _mm_sub_epi16(_mm_unpacklo_epi8(_mm_unpacklo_epi8(bytes, bytes), zero), chromaZero);
}

// Three 8-byte writes of eight blue-green-red pixels from three rows of eight bytes.
void StorePixels(__m128i blue, __m128i green, __m128i red, __m128i zero, std::uint8_t* out) {
    const __m128i blueGreen = _mm_unpacklo_epi8(blue, green);
    const __m128i redZero = _mm_unpacklo_epi8(red, zero);
    std::uint64_t pairs[4];  // two pixels each, as blue, green, red, 0
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs), _mm_unpacklo_epi16(blueGreen, redZero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + 2), _mm_unpackhi_epi16(blueGreen, redZero));
    std::uint64_t packed[4];  // six bytes each
    for (int i = 0; i < 4; ++i) {
        packed[i] = (pairs[i] & 0xFFFFFFu) | ((pairs[i] >> 8) & 0xFFFFFF000000u);
    }
    const std::uint64_t words[3] = {packed[0] | packed[1] << 48, packed[1] >> 16 | packed[2] << 32,
                                    packed[2] >> 32 | packed[3] << 16};
    std::memcpy(out, words, sizeof words);
}

void ConvertVectorRowSse2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out) {
    const auto& m = colour.colourMatrix;
    const ChannelCoefficients green = Coefficients(m[kGreen][1], m[kGreen][0], m[kGreen][2]);
    const ChannelCoefficients blue = Coefficients(m[kBlue][1], m[kBlue][0], m[kBlue][2]);
    const ChannelCoefficients red = Coefficients(m[kRed][2], m[kRed][0], m[kRed][1]);
    const __m128i lumaOffset = _mm_set1_epi16(colour.lumaOffset);
    const __m128i zero = _mm_setzero_si128();
    const __m128i chromaZero = _mm_set1_epi16(128);

    const int steps = pairs / kPairsPerStep;
    for (int step = 0; step < steps; ++step) {
        const __m128i luma =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y)), zero);
        const __m128i uc = LoadChroma(u, zero, chromaZero);
        const __m128i vc = LoadChroma(v, zero, chromaZero);
        const __m128i uyLow = _mm_unpacklo_epi16(uc, luma);
        const __m128i uyHigh = _mm_unpackhi_epi16(uc, luma);
        const __m128i vyLow = _mm_unpacklo_epi16(vc, luma);
        const __m128i vyHigh = _mm_unpackhi_epi16(vc, luma);

        StorePixels(Finish(Channel(uyLow, uyHigh, vc, blue), lumaOffset),
                    Finish(Channel(uyLow, uyHigh, vc, green), lumaOffset),
                    Finish(Channel(vyLow, vyHigh, uc, red), lumaOffset), zero, out);
        y += 2 * kPairsPerStep;
        u += kPairsPerStep;
        v += kPairsPerStep;
        out += 6 * kPairsPerStep;
    }
    ConvertVectorRowPortable(colour, y, u, v, pairs - steps * kPairsPerStep, out);
}

}  // namespace

VectorRowKernel Sse2VectorRowKernel() {
    return ConvertVectorRowSse2;
}

}  // namespace orvik

#else

namespace orvik {

VectorRowKernel Sse2VectorRowKernel() {
    return nullptr;
}

}  // namespace orvik

#endif
