// The lane code the conversions' AVX2 twins share: thirty-two pixels (sixteen pairs) a step,
// their Y bytes in two registers of sixteen 16-bit lanes (pixels 0..15 and 16..31), the U or V
// bytes of their pairs in one register whose 64-bit quarters are in the order 0, 2, 1, 3, so
// that each 128-bit half interleaved with itself gives its pairs' values for their pixels in
// order; and the blue-green-red bytes interleaved with byte shuffles. A twin's file includes
// this header after ORVIK_AVX2_BEGIN (platform/simd_support.h).
#pragma once

#include "platform/simd_support.h"

#if defined(ORVIK_X86_TWINS)
#include <immintrin.h>

#include <array>
#include <cstdint>

namespace orvik {
namespace {

inline constexpr int kPairsPerWideStep = 16;

struct WideLuma {
    __m256i first;   // pixels 0..15
    __m256i second;  // pixels 16..31
};

inline WideLuma LoadWideLuma(const std::uint8_t* y) {
    return {_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y))),
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y + 16)))};
}

// Sixteen chroma bytes less `zero`, their quarters in the order 0, 2, 1, 3.
inline __m256i LoadPairChroma(const std::uint8_t* p, std::int16_t zero) {
    const __m256i samples =
        _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                         _mm256_set1_epi16(zero));
    return _mm256_permute4x64_epi64(samples, 0xD8);
}

// A pair value of LoadPairChroma's order for each pixel of 0..15 and of 16..31.
inline __m256i FirstPixels(__m256i pairValues) {
    return _mm256_unpacklo_epi16(pairValues, pairValues);
}
inline __m256i SecondPixels(__m256i pairValues) {
    return _mm256_unpackhi_epi16(pairValues, pairValues);
}

// The 16-bit values of pixels 0..15 and 16..31 as bytes limited to 0..255, pixels in order.
inline __m256i BytesInOrder(__m256i first, __m256i second) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(first, second), 0xD8);
}

// For the three 16-byte parts of sixteen blue-green-red pixels (48 bytes) and each colour, the
// byte shuffle that moves that colour's bytes of the sixteen pixels to their places in the
// part; -128 clears a byte. Both 128-bit halves alike.
using ShuffleBytes = std::array<std::int8_t, 32>;
inline constexpr std::array<std::array<ShuffleBytes, 3>, 3> kInterleave = [] {
    std::array<std::array<ShuffleBytes, 3>, 3> masks{};
    for (int part = 0; part < 3; ++part) {
        for (int colour = 0; colour < 3; ++colour) {
            for (int i = 0; i < 32; ++i) {
                const int at = 16 * part + i % 16;
                masks[part][colour][i] = static_cast<std::int8_t>(at % 3 == colour ? at / 3 : -128);
            }
        }
    }
    return masks;
}();

// Thirty-two pixels (96 bytes) from the blue, green and red bytes of each, pixels in order.
inline void StoreThirtyTwoPixels(const __m256i (&colours)[3], std::uint8_t* out) {
    // Part k: output bytes 16k.. of pixels 0..15 in the low half, of pixels 16..31 in the high.
    __m256i parts[3];
    for (int part = 0; part < 3; ++part) {
        const auto shuffle = [part](int colour) {
            return _mm256_loadu_si256(
                reinterpret_cast<const __m256i*>(kInterleave[part][colour].data()));
        };
        parts[part] = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(colours[0], shuffle(0)),
                                                      _mm256_shuffle_epi8(colours[1], shuffle(1))),
                                      _mm256_shuffle_epi8(colours[2], shuffle(2)));
    }
    auto* at = reinterpret_cast<__m256i*>(out);
    _mm256_storeu_si256(at, _mm256_permute2x128_si256(parts[0], parts[1], 0x20));
    _mm256_storeu_si256(at + 1, _mm256_permute2x128_si256(parts[2], parts[0], 0x30));
    _mm256_storeu_si256(at + 2, _mm256_permute2x128_si256(parts[1], parts[2], 0x31));
}

}  // namespace
}  // namespace orvik

#endif
