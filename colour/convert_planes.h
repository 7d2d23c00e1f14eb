// Planes to the bottom-up BGR picture, in the conversions of the two decoding variants:
// ConvertPlanesScalar for the scalar one, ConvertPlanesPacked for the packed one. Both write h
// rows of blue-green-red pixels, the bottom row of the picture first. Each converts a row at a
// time with a row kernel: its portable row, which defines its results, or a twin of it that
// gives the same bytes (colour/kernels.h picks the fastest the processor runs).
#pragma once

#include <cstddef>
#include <cstdint>

#include "colour/colour_matrix.h"

namespace orvik {

// The three 4:2:2 planes of a picture: Y is width x height, U and V (width/2) x height.
struct PlanesView {
    const std::uint8_t* y = nullptr;
    const std::uint8_t* u = nullptr;
    const std::uint8_t* v = nullptr;
    int width = 0;
    int height = 0;
    int yStride = 0;       // normally width
    int chromaStride = 0;  // normally width / 2
};

// Row stride of the scalar conversion's output: 3w padded as a 24-bit bitmap row (3w + w mod 4).
inline std::size_t ScalarPictureStride(int width) {
    return static_cast<std::size_t>(3 * width + width % 4);
}
// Row stride of the packed conversion's output: exactly 3w.
inline std::size_t PackedPictureStride(int width) {
    return static_cast<std::size_t>(3 * width);
}

// One output row of either conversion: pairs pixel pairs from y (2·pairs bytes), u and v
// (pairs bytes each) into out (6·pairs bytes, blue, green, red).
using RowKernel = void (*)(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                           const std::uint8_t* v, int pairs, std::uint8_t* out);

// The scalar conversion's portable row, which defines its results: two pixels a step, table
// look-ups, the luma offset added before the weighting.
void ConvertScalarRow(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                      const std::uint8_t* v, int pairs, std::uint8_t* out);
// Its AVX2 twin (x86-64 builds only; runs only where the processor has AVX2) works each term
// out from the weight its table was filled from, so it equals the portable row bit for bit
// for every matrix whose tables follow its weights (ColourMatrix::termsFollowWeights).
void ConvertScalarRowAvx2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out);

// Every row by convertRow (ConvertScalarRow or its twin), or by ConvertScalarRow when the
// matrix's tables are not known to follow its weights; the padding bytes after each row are
// stepped over, not written. Converts every whole pixel pair of a row; the last column of an
// odd width has no chroma and is left unwritten.
void ConvertPlanesScalar(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         RowKernel convertRow);
// The same with the fastest scalar row the processor runs.
void ConvertPlanesScalar(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out);

// The portable row, which defines the packed conversion's results.
void ConvertPackedRow(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                      const std::uint8_t* v, int pairs, std::uint8_t* out);
// Its SSE2 and AVX2 twins, equal to it bit for bit (x86-64 builds only; the AVX2 one runs only
// where the processor has AVX2).
void ConvertPackedRowSse2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out);
void ConvertPackedRowAvx2(const ColourMatrix& colour, const std::uint8_t* y, const std::uint8_t* u,
                          const std::uint8_t* v, int pairs, std::uint8_t* out);

// Eight pixels a step in 16-bit lanes with saturating sums; luma offset added after the
// weighting; each row by convertRow (ConvertPackedRow or its twin). outStride is normally 3w.
// As in the scalar conversion, the last column of an odd width is left unwritten.
void ConvertPlanesPacked(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         std::size_t outStride, RowKernel convertRow);
// The same with the fastest packed row the processor runs.
void ConvertPlanesPacked(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         std::size_t outStride);

}  // namespace orvik
