// The first step of the colour matrix: a saturation matrix that keeps luminance.
#pragma once

#include <cstdint>

#include "colour/matrix3.h"

namespace orvik {

// Scale 256, for saturation 0..99 (factor s = 3·saturation/100). Off the diagonal each
// element is w·(1 − s) for the row's luminance weight w (79, 156, 21 for R, G, B); the
// diagonal elements have their own integer forms, which set the low bits.
Matrix3 SaturationMatrix(std::int32_t saturation);

}  // namespace orvik
