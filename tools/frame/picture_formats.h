// The output formats of decode, made from the frame a FrameReader decoded last.
//   png, bmp, ppm: the picture as the viewer shows it, upright, in RGB.
//   bgr: the picture buffer exactly as the decoder writes it: bottom row first, blue,
//        green, red, with the variant's row stride.
//   yuv: the Y, U and V planes back to back (w*h, w/2*h, w/2*h bytes).
#pragma once

#include <cstdint>
#include <vector>

#include "library/frame_reader.h"
#include "tools/frame/command_line.h"

namespace orvik {

// Empty when the picture could not be encoded.
std::vector<std::uint8_t> EncodePicture(OutputFormat format, const FrameReader& reader);

}  // namespace orvik
