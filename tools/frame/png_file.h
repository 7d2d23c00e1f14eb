// A PNG file of a picture, written by libpng: 8-bit RGB, the rows from the top, with the
// same chunks and settings the viewer's toolkit uses (a pHYs chunk of 100 dots an inch,
// libpng's default compression and filters), so the files are the same as before
// orvik-frame wrote them without it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/frame/bottom_up_bgr.h"

namespace orvik {

// Empty when the picture has no pixels or libpng fails (out of memory).
std::vector<std::uint8_t> PngFile(const BottomUpBgr& picture);

}  // namespace orvik
