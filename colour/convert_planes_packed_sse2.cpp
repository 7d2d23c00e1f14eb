// ConvertPackedRowSse2: the SSE2 twin of the packed conversion's portable row, equal to it bit for
// bit for every input and every colour matrix. Eight pixels a step in the 16-bit lanes of one
// 128-bit register (colour/packed_row_lanes.h).
#include "colour/convert_planes.h"
#include "platform/processor.h"

#if defined(ORVIK_X86_TWINS)

#include <emmintrin.h>

#include <cstring>

#include "colour/packed_row_lanes.h"

namespace orvik {
namespace {

constexpr int kPairsPerStep = 4;

// Eight chroma samples for eight pixels: each of four bytes twice, minus the chroma zero.
__m128i LoadChroma(const std::uint8_t* p, __m128i zero, __m128i chromaZero) {
    std::int32_t four;
    std::memcpy(&four, p, sizeof four);
    const __m128i bytes = _mm_cvtsi32_si128(four);
    return _mm_sub_epi16(_mm_unpacklo_epi8(_mm_unpacklo_epi8(bytes, bytes), zero), chromaZero);
}

}  // namespace

void ConvertPackedRowSse2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out) {
    const PackedRowStep<1> step(colour);
    const __m128i zero = _mm_setzero_si128();
    const __m128i chromaZero = _mm_set1_epi16(kChromaZero);

    const int steps = pairs / kPairsPerStep;
    for (int i = 0; i < steps; ++i) {
        const __m128i luma =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y)), zero);
        const PixelBytes<1> pixels =
            step(luma, LoadChroma(u, zero, chromaZero), LoadChroma(v, zero, chromaZero));
        StoreEightPixels(pixels.blue, pixels.green, pixels.red, out);
        y += 2 * kPairsPerStep;
        u += kPairsPerStep;
        v += kPairsPerStep;
        out += 6 * kPairsPerStep;
    }
    ConvertPackedRow(colour, y, u, v, pairs - steps * kPairsPerStep, out);
}

}  // namespace orvik

#endif
