// A picture as the decoder writes it, which the picture files are made from: the bottom
// row first, each pixel blue, green, red, rows stride bytes apart (stride >= 3 * width).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

struct BottomUpBgr {
    const std::uint8_t* rows = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    const std::uint8_t* Row(int fromBottom) const {
        return rows + static_cast<std::size_t>(fromBottom) * stride;
    }
};

}  // namespace orvik
