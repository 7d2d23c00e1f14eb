// ActivityMeter: the activity of each frame of a run of footage, from the frames' luma DC
// pictures (one sample an 8x8 block, the block's mean) taken in capture order.
//
// Each block is held to a background that follows slow change: a running average of the
// frames before, restarted with the first frame after a pause of more than kFootageGap, a
// change of picture size, or Restart. Before blocks are compared, the whole picture's shift
// against the background (the median of the blocks' differences) is taken off, so that a
// lamp or the camera's gain moving every block alike changes none. A block then changed when
// it stands kChangedLevels or more apart from its background: an object 40 levels apart
// from what it covers changes every block it covers half or more of, while the noise of a
// still scene, averaged over 64 samples, moves a block's mean by a level or two.
//
// The background of an unchanged block moves a quarter of the way to the frame, so that a
// slow change (the day's light, a brightness step) is taken in within a few frames; that of
// a changed block a thirty-second, so that an object that stops becomes background in time
// while one that passes leaves no trace behind it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "library/activity.h"
#include "library/capture_time.h"

namespace orvik {

inline constexpr int kChangedLevels = 20;

class ActivityMeter {
  public:
    explicit ActivityMeter(const ActivitySettings& settings);

    // The activity of the next frame: its DC picture of columns x rows samples, row by row,
    // taken at moment. The first frame of a run has activity 0: it only starts the
    // background.
    Activity Measure(std::span<const std::uint8_t> dc, int columns, int rows, CaptureMoment moment);
    // The next frame starts a new run.
    void Restart() { started_ = false; }

  private:
    void Start(std::span<const std::uint8_t> dc, int columns, int rows);
    int PictureShift(std::span<const std::uint8_t> dc) const;

    ActivitySettings settings_;
    bool started_ = false;
    int columns_ = 0;
    int rows_ = 0;
    CaptureMoment last_ = 0;
    std::vector<std::int16_t> background_;  // sixteenths of a level, one a block
    std::vector<std::uint8_t> inRegion_;    // 1 for a block whose centre lies in the region
    int regionBlocks_ = 0;
};

}  // namespace orvik
