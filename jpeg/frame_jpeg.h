// A frame file as a standard JPEG file, its coded data untouched: what orvik-frame jpeg
// writes and what a lossless clip carries as each MJPEG packet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "library/capture_time.h"

namespace orvik {

// The same coded data as a standard JPEG file: SOI, the frame's two quantisation tables,
// SOF0, one DHT with the four fixed tables, SOS, the coded data, EOI. frame must hold at
// least the 545-byte header; a final 0xFF 0xD9 is not copied twice.
std::vector<std::uint8_t> RewrapAsJpeg(const std::uint8_t* frame, std::size_t size);

// The frame up to and with its end marker: bytes after it, which the viewer ignores, are
// left out. All of the frame when it has none.
std::size_t FrameEnd(std::span<const std::uint8_t> frame);

// The frame up to its end marker rewrapped, with the capture time, when there is one, in
// an Exif segment right after SOI.
std::vector<std::uint8_t> FrameAsJpeg(std::span<const std::uint8_t> frame,
                                      const std::optional<CaptureTime>& time);

}  // namespace orvik
