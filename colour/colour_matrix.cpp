// BuildColourMatrix: saturation, hue rotation in a luminance-keeping space, contrast gain,
// then the fixed YUV-to-RGB conversion, each product followed by its own truncating
// division in 32-bit integers; then the nine contribution tables and the luma offset.
#include "colour/colour_matrix.h"

#include <algorithm>

#include "colour/colour_tables.h"
#include "colour/matrix3.h"
#include "colour/saturation_matrix.h"

namespace orvik {
namespace {

constexpr std::int32_t kLowestAdjustment = 0;
constexpr std::int32_t kHighestAdjustment = 99;

// Divisors after each product. The two hue-space bases multiply to about 1024² times the
// identity, so after 1024 and 2048 the saturation matrix's scale 256 has become 128; the
// last divisor takes 128 times yuvToRgb's 1024 down to the colour matrix's 64.
constexpr std::int32_t kHueSpaceDivisor = 1024;
constexpr std::int32_t kRotationScale = 1024;  // hueSine, hueCosine: 1024 = 1.0
constexpr std::int32_t kBackToRgbDivisor = 2048;
constexpr std::int32_t kContrastDivisor = 64;  // contrastGain: 64 = 1.0
constexpr std::int32_t kYuvToRgbDivisor = 2048;

constexpr std::int32_t kLumaOffsetBase = 78;  // lumaOffset = brightness − 2·f + 78

Matrix3 HueRotation(std::int32_t hue) {
    const std::int32_t c = hueCosine[static_cast<std::size_t>(hue)];
    const std::int32_t s = hueSine[static_cast<std::size_t>(hue)];
    return {{{c, s, 0}, {-s, c, 0}, {0, 0, kRotationScale}}};
}

std::int32_t ContrastGain(std::int32_t contrast) {
    return contrastGain[static_cast<std::size_t>((70 * contrast) / 100)];
}

void FillTerms(std::int16_t weight, std::int32_t zero, std::int16_t (&terms)[256]) {
    for (std::int32_t k = 0; k < 256; ++k) {
        terms[k] = WeightedTerm(weight, k - zero);
    }
}

}  // namespace

PictureAdjustments ClampAdjustments(const PictureAdjustments& raw) {
    const auto limit = [](std::int32_t value) {
        return std::clamp(value, kLowestAdjustment, kHighestAdjustment);
    };
    return {limit(raw.brightness), limit(raw.contrast), limit(raw.hue), limit(raw.saturation)};
}

void BuildColourMatrix(const PictureAdjustments& adjustments, ColourMatrix& out) {
    // Limiting again costs nothing here and keeps every table index in range whatever the caller
    // stored.
    const PictureAdjustments a = ClampAdjustments(adjustments);

    Matrix3 t = MultiplyDivide(SaturationMatrix(a.saturation), rgbToHueSpace, kHueSpaceDivisor);
    t = MultiplyDivide(t, HueRotation(a.hue), kRotationScale);
    t = MultiplyDivide(t, hueSpaceToRgb, kBackToRgbDivisor);
    t = Transpose(t);

    const std::int32_t f = ContrastGain(a.contrast);
    for (auto& row : t) {
        for (auto& element : row)
            element = (f * element) / kContrastDivisor;
    }

    const Matrix3 m = MultiplyDivide(t, yuvToRgb, kYuvToRgbDivisor);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            out.colourMatrix[r][c] = static_cast<std::int16_t>(m[r][c]);
    }

    for (int r = 0; r < 3; ++r) {
        FillTerms(out.colourMatrix[r][0], 0, out.yTerms[r]);
        FillTerms(out.colourMatrix[r][1], kChromaZero, out.uTerms[r]);
        FillTerms(out.colourMatrix[r][2], kChromaZero, out.vTerms[r]);
    }

    out.lumaOffset = static_cast<std::int16_t>(a.brightness - 2 * f + kLumaOffsetBase);
    out.fitsSixteenBits = PackedTermsFitSixteenBits(out);
    out.termsFollowWeights = true;  // the tables were filled from the weights just above
}

}  // namespace orvik
