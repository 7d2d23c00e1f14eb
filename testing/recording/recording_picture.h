// The picture of one generated frame: it shows its own capture date and time in digits
// drawn with a small built-in bitmap font, over content that moves with the time (a ball
// crossing every ten seconds, a bar sweeping every second), so that playback in either
// direction and at any speed is visibly right.
#pragma once

#include <cstdint>
#include <vector>

namespace orvik {

// dateKey: YYMMDDHH; timeKey: hundredths of a second since midnight. rgb becomes width x
// height pixels, top row first, R, G, B bytes.
void DrawRecordingPicture(std::int32_t dateKey, std::int32_t timeKey, int width, int height,
                          std::vector<std::uint8_t>& rgb);

}  // namespace orvik
