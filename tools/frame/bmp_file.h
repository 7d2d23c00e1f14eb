// A Windows bitmap file of a picture: 24 bits a pixel, uncompressed (BI_RGB), rows bottom
// first and padded to 4 bytes, as BMP stores them natively. The header is the one the
// viewer's toolkit writes (its 40-byte info header, 100 dots an inch), so the files are the
// same as before orvik-frame wrote them without it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/frame/bottom_up_bgr.h"

namespace orvik {

// Empty when the picture has no pixels or is too large for the format's 32-bit sizes.
std::vector<std::uint8_t> BmpFile(const BottomUpBgr& picture);

}  // namespace orvik
