// ConvertPlanesPacked, the packed variant's conversion: each pixel weighted from its raw Y byte and
// its pair's U − 128 and V − 128, each product at full precision, the partial sums saturated to 16
// bits in a fixed term order, then >> 6 (rounding down), the luma offset added with 16-bit
// saturation, and the result limited to 0..255. Rows are read from the top and written from the
// last output row backwards.
//
// The portable row here defines the results; its twins (colour/kernels.h) give the same bytes.
#include <algorithm>

#include "colour/convert_planes.h"
#include "colour/kernels.h"

namespace orvik {
namespace {

// The per-pixel helpers are marked inline: GCC 12 at -O2 otherwise left them as calls, which
// measured about 1.3 times slower.
inline std::int32_t Sat16(std::int32_t x) {
    return std::clamp(x, -32768, 32767);
}

// sat16(sat16(first + second) + third): the order decides where a partial sum saturates.
inline std::int32_t Channel(std::int32_t first, std::int32_t second, std::int32_t third) {
    return Sat16(Sat16(first + second) + third);
}

inline std::uint8_t Finish(std::int32_t t, std::int16_t lumaOffset) {
    return static_cast<std::uint8_t>(std::clamp(Sat16((t >> kMatrixShift) + lumaOffset), 0, 255));
}

inline void WritePixel(const ColourMatrix& c, std::int32_t y, std::int32_t u, std::int32_t v,
                       std::uint8_t* out) {
    const auto& m = c.colourMatrix;
    const std::int32_t green = Channel(u * m[kGreen][1], y * m[kGreen][0], v * m[kGreen][2]);
    const std::int32_t blue = Channel(u * m[kBlue][1], y * m[kBlue][0], v * m[kBlue][2]);
    const std::int32_t red = Channel(v * m[kRed][2], y * m[kRed][0], u * m[kRed][1]);
    out[0] = Finish(blue, c.lumaOffset);
    out[1] = Finish(green, c.lumaOffset);
    out[2] = Finish(red, c.lumaOffset);
}

}  // namespace

void ConvertPackedRow(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                      const std::uint8_t* v, int pairs, std::uint8_t* out) {
    for (int i = 0; i < pairs; ++i) {
        const std::int32_t uc = u[i] - kChromaZero;
        const std::int32_t vc = v[i] - kChromaZero;
        WritePixel(colour, y[2 * i], uc, vc, out);
        WritePixel(colour, y[2 * i + 1], uc, vc, out + 3);
        out += 6;
    }
}

void ConvertPlanesPacked(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         std::size_t outStride, RowKernel convertRow) {
    if (planes.width <= 0 || planes.height <= 0)
        return;
    for (int row = 0; row < planes.height; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const auto outRow = static_cast<std::size_t>(planes.height - 1 - row);
        convertRow(colour, planes.y + r * static_cast<std::size_t>(planes.yStride),
                   planes.u + r * static_cast<std::size_t>(planes.chromaStride),
                   planes.v + r * static_cast<std::size_t>(planes.chromaStride), planes.width / 2,
                   out + outRow * outStride);
    }
}

void ConvertPlanesPacked(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         std::size_t outStride) {
    ConvertPlanesPacked(colour, planes, out, outStride, FastestColourKernels().packedRow);
}

}  // namespace orvik
