// Activity: how much of a frame's picture changed against the footage before it, as the
// share of its 8x8 blocks that changed, in hundredths of a percent. What the meter gives, the
// index keeps (two bytes a frame) and the events are found in.
#pragma once

#include <cstdint>
#include <optional>

namespace orvik {

using Activity = std::uint16_t;
inline constexpr Activity kAllBlocksChanged = 10000;
// A frame that was refused, or failed the end test: it has no activity, and neither starts
// nor breaks an event.
inline constexpr Activity kNoActivity = 0xFFFF;

// A frame is active when its activity is above this share. An object of 1 % of the picture
// covers at least 0.69 % of the blocks whole (a square of 1 %, or one three times as high as
// wide, on a 640 x 480 or 1280 x 1024 picture, wherever it lies on the block grid), and
// changes the blocks it half covers as well; a still scene under noise, or one whose
// brightness steps by 25 levels, changes none. Half a percent lies between with room either
// side (tests/library/activity_scenes_test.cpp holds both).
inline constexpr Activity kDefaultActivityThreshold = 50;

// A rectangle of the picture in pixels, in which activity is measured.
struct PixelRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRegion&) const = default;
};

// The settings activity is measured with: a folder's stored activity is valid for these
// alone.
struct ActivitySettings {
    std::optional<PixelRegion> region;  // none: the whole picture
    bool operator==(const ActivitySettings&) const = default;
};

}  // namespace orvik
