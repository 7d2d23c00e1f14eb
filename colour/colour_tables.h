// The constant tables of the colour matrix: the two hue-space changes of basis, the fixed
// YUV-to-RGB conversion, the hue rotation's sine and cosine, and the contrast gains.
// All are integers; nothing here is computed at run time.
#pragma once

#include <array>
#include <cstdint>

#include "colour/matrix3.h"

namespace orvik {

// RGB into a space whose third axis is luminance (third column: the luminance weights of R,
// G and B, 547, 1080 and 145). Applied at scale 1024.
inline constexpr Matrix3 rgbToHueSpace = {{
    {836, 0, 547},
    {-418, 724, 1080},
    {-418, -724, 145},
}};

// Back from the hue space to RGB. Applied at scale 2048.
inline constexpr Matrix3 hueSpaceToRgb = {{
    {867, -387, -387},
    {-381, 342, -1105},
    {591, 591, 591},
}};

// The fixed YUV-to-RGB conversion, scale 1024; rows R, G, B; columns Y, U, V.
inline constexpr Matrix3 yuvToRgb = {{
    {1024, -3, 1398},
    {1024, -342, -682},
    {1024, 1773, -6},
}};

inline constexpr int kHueSteps = 100;
inline constexpr int kContrastGainSteps = 70;

// 1024·sin and 1024·cos of (k − 50)·2.4 degrees, cut toward zero, with 3.1416 for pi when the
// degrees were turned into radians (the true pi changes five entries by one).
extern const std::array<std::int16_t, kHueSteps> hueSine;
extern const std::array<std::int16_t, kHueSteps> hueCosine;

// Contrast gain f at scale 64: contrastGain[i] = 29 + i, indexed by (70·contrast)/100.
extern const std::array<std::int16_t, kContrastGainSteps> contrastGain;

}  // namespace orvik
