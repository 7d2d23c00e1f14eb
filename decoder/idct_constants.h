// The 13-bit fixed-point constants of the Loeffler-Ligtenberg-Moschytz inverse DCT that both
// transforms share (value x 8192, rounded), and the folded sums the packed transform
// multiplies by directly, so that each odd output costs one sum of products.
#pragma once

#include <cstdint>

namespace orvik::idct {

inline constexpr int kConstBits = 13;

inline constexpr std::int32_t kFix0_298631336 = 2446;   // FIX(0.298631336)
inline constexpr std::int32_t kFix0_390180644 = 3196;   // FIX(0.390180644)
inline constexpr std::int32_t kFix0_541196100 = 4433;   // FIX(0.541196100)
inline constexpr std::int32_t kFix0_765366865 = 6270;   // FIX(0.765366865)
inline constexpr std::int32_t kFix0_899976223 = 7373;   // FIX(0.899976223)
inline constexpr std::int32_t kFix1_175875602 = 9633;   // FIX(1.175875602)
inline constexpr std::int32_t kFix1_501321110 = 12299;  // FIX(1.501321110)
inline constexpr std::int32_t kFix1_847759065 = 15137;  // FIX(1.847759065)
inline constexpr std::int32_t kFix1_961570560 = 16069;  // FIX(1.961570560)
inline constexpr std::int32_t kFix2_053119869 = 16819;  // FIX(2.053119869)
inline constexpr std::int32_t kFix2_562915447 = 20995;  // FIX(2.562915447)
inline constexpr std::int32_t kFix3_072711026 = 25172;  // FIX(3.072711026)

// Even part: d2 and d6 weights of tmp2 and tmp3.
inline constexpr std::int32_t kTmp2D6 = kFix0_541196100 - kFix1_847759065;  // -10704
inline constexpr std::int32_t kTmp3D2 = kFix0_541196100 + kFix0_765366865;  // 10703
// Odd part: the weight of each input in its own output, with the common z5 taken apart.
inline constexpr std::int32_t kP3D1 = kFix1_501321110 - kFix0_899976223 - kFix0_390180644;  // 1730
inline constexpr std::int32_t kP2D3 =
    kFix3_072711026 - kFix2_562915447 - kFix1_961570560;  // -11892
inline constexpr std::int32_t kP1D5 = kFix2_053119869 - kFix2_562915447 - kFix0_390180644;  // -7372
inline constexpr std::int32_t kP0D7 =
    kFix0_298631336 - kFix0_899976223 - kFix1_961570560;  // -20996

static_assert(kTmp2D6 == -10704 && kTmp3D2 == 10703 && kP3D1 == 1730 && kP2D3 == -11892 &&
              kP1D5 == -7372 && kP0D7 == -20996);

}  // namespace orvik::idct
