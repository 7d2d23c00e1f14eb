// The scalar transform of a block whose AC entries are all 0, shared by its SIMD twins: both
// passes take their shortcuts, so every sample is
// clamp(((S16(c0) x q0 x 4 + 16) >> 5) + levelShift), the product wrapping modulo 2^32.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orvik {

inline void ScalarDcOnly(std::int32_t coefficient, std::int32_t quantiser, std::uint8_t* out,
                         int stride, int levelShift, int maxSample) {
    const std::uint32_t pass1 = static_cast<std::uint32_t>(static_cast<std::int16_t>(coefficient)) *
                                static_cast<std::uint32_t>(quantiser) * 4u;
    const std::int32_t value = static_cast<std::int32_t>(pass1 + 16u) >> 5;
    const auto sample = static_cast<std::uint8_t>(std::clamp(value + levelShift, 0, maxSample));
    for (int r = 0; r < 8; ++r) {
        std::memset(out + static_cast<std::ptrdiff_t>(r) * stride, sample, 8);
    }
}

}  // namespace orvik
