// The frame file as the system reads it: a fixed 545-byte header (two quantisation
// tables at 379 and 448, height at 517, width at 519, big-endian) followed by the
// entropy-coded 4:2:2 data and the end marker 0xFF 0xD9. Nothing else is interpreted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

inline constexpr std::size_t kFrameHeaderSize = 545;      // coded data starts here
inline constexpr std::size_t kQuantSegmentsOffset = 374;  // handed to LoadFrameTables
inline constexpr std::size_t kHeightOffset = 517;
inline constexpr std::size_t kWidthOffset = 519;

inline constexpr int kMaxPictureWidth = 1280;
inline constexpr int kMaxPictureHeight = 1024;

struct FrameSize {
    int width = 0;
    int height = 0;
};

// Reads the picture size from a header of at least kFrameHeaderSize bytes.
inline FrameSize ReadFrameSize(const std::uint8_t* fileBytes) {
    auto be16 = [fileBytes](std::size_t at) {
        return static_cast<int>((fileBytes[at] << 8) | fileBytes[at + 1]);
    };
    return FrameSize{be16(kWidthOffset), be16(kHeightOffset)};
}

// The sizes the decoder produces: width a multiple of 16, height a multiple of 8, neither
// 0, at most 1280 x 1024. Frames of any other size are refused before anything is written.
inline bool PictureSizeSupported(int width, int height) {
    return width > 0 && height > 0 && width % 16 == 0 && height % 8 == 0 &&
           width <= kMaxPictureWidth && height <= kMaxPictureHeight;
}

}  // namespace orvik
