// Frame files changed byte by byte for the tests: each function names what it changes.
#pragma once

#include <cstdint>
#include <vector>

#include "decoder/frame_format.h"

namespace orvik::test {

// The frame with another picture size in its header (height at 517, width at 519, each two
// bytes, big-endian); the coded data is left as it was.
inline std::vector<std::uint8_t> WithHeaderSize(std::vector<std::uint8_t> frame, int width,
                                                int height) {
    frame[kHeightOffset] = static_cast<std::uint8_t>(height >> 8);
    frame[kHeightOffset + 1] = static_cast<std::uint8_t>(height);
    frame[kWidthOffset] = static_cast<std::uint8_t>(width >> 8);
    frame[kWidthOffset + 1] = static_cast<std::uint8_t>(width);
    return frame;
}

}  // namespace orvik::test
