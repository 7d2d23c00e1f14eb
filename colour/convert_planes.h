// Planes to the bottom-up BGR picture, in the two variants the processor test chooses
// between. Both write h rows of blue-green-red pixels, the bottom row of the picture first.
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

// Row stride of the table variant's output: 3w padded as a 24-bit bitmap row (3w + w mod 4).
inline std::size_t TablePictureStride(int width) {
    return static_cast<std::size_t>(3 * width + width % 4);
}
// Row stride of the vector variant's output: exactly 3w.
inline std::size_t VectorPictureStride(int width) {
    return static_cast<std::size_t>(3 * width);
}

// Two pixels a step, table look-ups; luma offset added before the weighting; the padding
// bytes after each row are stepped over, not written. Converts every whole pixel pair of a
// row; the last column of an odd width has no chroma and is left unwritten.
void ConvertPlanesTable(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out);

// Eight pixels a step in 16-bit lanes with saturating sums; luma offset added after the
// weighting. outStride is normally 3w. Widths that are not a multiple of 8 finish each row
// pair by pair; as in the table variant, the last column of an odd width is left unwritten.
void ConvertPlanesVector(const ColourMatrix& colour, const PlanesView& planes, std::uint8_t* out,
                         std::size_t outStride);

}  // namespace orvik
