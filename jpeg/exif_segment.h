// The Exif application segment (APP1) that carries a frame's capture time in the JPEG
// files orvik-frame writes: a big-endian TIFF structure whose first IFD points to an Exif
// IFD holding ExifVersion, DateTimeOriginal ("YYYY:MM:DD HH:MM:SS") and SubSecTimeOriginal
// (the hundredths, "CC").
#pragma once

#include <cstdint>
#include <vector>

#include "library/capture_time.h"

namespace orvik {

// The whole segment, marker and length included.
std::vector<std::uint8_t> ExifSegment(const CaptureTime& time);

// Puts the segment right after the JPEG's start-of-image marker (its first two bytes).
void InsertAfterStartOfImage(std::vector<std::uint8_t>& jpeg,
                             const std::vector<std::uint8_t>& segment);

}  // namespace orvik
