// FillBlock: the 8x8 samples of a block that all take one value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orvik {

// Writes sample to out[r * stride + c] for r, c in 0..7.
inline void FillBlock(std::uint8_t sample, std::uint8_t* out, int stride) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {
        std::memset(out + static_cast<std::ptrdiff_t>(r) * stride, sample, 8);
    }
}

}  // namespace orvik
