// ConvertPlanesScalar, the scalar variant's conversion, and its portable row: two pixels a step,
// no multiplication. The luma offset is added to each Y byte and limited to 0..255 before the
// look-up; each of the three terms was rounded down inside its table; the 32-bit sum of a channel
// is clamped once.
#include <algorithm>

#include "colour/convert_planes.h"
#include "colour/kernels.h"

namespace orvik {
namespace {

// The per-pixel helpers are marked inline: GCC 12 at -O2 otherwise left them as calls, which
// measured about 1.3 times slower (640x480: 1.6 ms against 1.24 ms).
inline std::uint8_t Clamp8(std::int32_t x) {
    return static_cast<std::uint8_t>(std::clamp(x, 0, 255));
}

// Y + lumaOffset computed in 16 bits, read as signed, limited to a table index.
inline std::uint8_t LumaIndex(std::uint8_t y, std::int16_t lumaOffset) {
    const auto sum = static_cast<std::int16_t>(y + lumaOffset);
    return static_cast<std::uint8_t>(std::clamp<std::int16_t>(sum, 0, 255));
}

struct ChromaSums {
    std::int16_t blue, green, red;
};

inline ChromaSums PairChroma(const ColourMatrix& c, std::uint8_t u, std::uint8_t v) {
    const auto sum = [&](ColourRow row) {
        return static_cast<std::int16_t>(c.vTerms[row][v] + c.uTerms[row][u]);
    };
    return {sum(kBlue), sum(kGreen), sum(kRed)};
}

inline void WritePixel(const ColourMatrix& c, std::uint8_t a, const ChromaSums& chroma,
                       std::uint8_t* out) {
    out[0] = Clamp8(c.yTerms[kBlue][a] + chroma.blue);
    out[1] = Clamp8(c.yTerms[kGreen][a] + chroma.green);
    out[2] = Clamp8(c.yTerms[kRed][a] + chroma.red);
}

}  // namespace

void ConvertScalarRow(const ColourMatrix& c, const std::uint8_t* y, const std::uint8_t* u,
                      const std::uint8_t* v, int pairs, std::uint8_t* out) {
    for (int i = 0; i < pairs; ++i) {
        const ChromaSums chroma = PairChroma(c, u[i], v[i]);
        WritePixel(c, LumaIndex(y[2 * i], c.lumaOffset), chroma, out);
        WritePixel(c, LumaIndex(y[2 * i + 1], c.lumaOffset), chroma, out + 3);
        out += 6;
    }
}

void ConvertPlanesScalar(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         RowKernel convertRow) {
    if (planes.width <= 0 || planes.height <= 0)
        return;
    if (!colour.termsFollowWeights)
        convertRow = ConvertScalarRow;
    const std::size_t stride = ScalarPictureStride(planes.width);
    for (int row = planes.height - 1; row >= 0; --row) {
        const auto r = static_cast<std::size_t>(row);
        convertRow(colour, planes.y + r * static_cast<std::size_t>(planes.yStride),
                   planes.u + r * static_cast<std::size_t>(planes.chromaStride),
                   planes.v + r * static_cast<std::size_t>(planes.chromaStride), planes.width / 2,
                   out);
        out += stride;
    }
}

void ConvertPlanesScalar(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out) {
    ConvertPlanesScalar(colour, planes, out, FastestColourKernels().scalarRow);
}

}  // namespace orvik
