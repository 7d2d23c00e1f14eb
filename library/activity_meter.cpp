#include "library/activity_meter.h"

#include <array>
#include <cstddef>
#include <cstdlib>

namespace orvik {
namespace {

constexpr int kSixteenths = 16;
// A block's difference in whole levels lies in -255..255: one histogram bin a level.
constexpr int kLevelBins = 511;
constexpr int kLevelOffset = 255;
// The shares of the gap to the frame that a background moves by a frame (as shifts).
constexpr int kUnchangedFollow = 2;  // a quarter
constexpr int kChangedFollow = 5;    // a thirty-second

// Moves v towards 0 by the shift, rounding towards 0, so that positive and negative
// differences are followed alike.
int Share(int v, int shift) {
    return v >= 0 ? v >> shift : -((-v) >> shift);
}

}  // namespace

ActivityMeter::ActivityMeter(const ActivitySettings& settings) : settings_(settings) {}

void ActivityMeter::Start(std::span<const std::uint8_t> dc, int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    const std::size_t blocks = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    background_.resize(blocks);
    inRegion_.assign(blocks, 1);
    for (std::size_t i = 0; i < blocks; ++i) {
        background_[i] = static_cast<std::int16_t>(dc[i] * kSixteenths);
    }
    regionBlocks_ = static_cast<int>(blocks);
    if (settings_.region) {
        const PixelRegion& r = *settings_.region;
        regionBlocks_ = 0;
        for (int m = 0; m < rows; ++m) {
            for (int n = 0; n < columns; ++n) {
                const int x = 8 * n + 4;
                const int y = 8 * m + 4;
                const bool in = x >= r.x && x - r.x < r.width && y >= r.y && y - r.y < r.height;
                inRegion_[static_cast<std::size_t>(m * columns + n)] = in ? 1 : 0;
                regionBlocks_ += in ? 1 : 0;
            }
        }
    }
    started_ = true;
}

// The median of the blocks' differences from their backgrounds, in sixteenths of a level,
// over the whole picture: what moved every block alike.
int ActivityMeter::PictureShift(std::span<const std::uint8_t> dc) const {
    std::array<int, kLevelBins> counts{};
    const std::size_t blocks = background_.size();
    for (std::size_t i = 0; i < blocks; ++i) {
        const int level = (dc[i] * kSixteenths - background_[i] + kSixteenths / 2) >> 4;
        ++counts[static_cast<std::size_t>(level + kLevelOffset)];
    }
    std::size_t seen = 0;
    for (int bin = 0; bin < kLevelBins; ++bin) {
        seen += static_cast<std::size_t>(counts[static_cast<std::size_t>(bin)]);
        if (2 * seen >= blocks) {
            return (bin - kLevelOffset) * kSixteenths;
        }
    }
    return 0;
}

Activity ActivityMeter::Measure(std::span<const std::uint8_t> dc, int columns, int rows,
                                CaptureMoment moment) {
    if (columns <= 0 || rows <= 0 ||
        dc.size() < static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {
        return kNoActivity;
    }
    const bool newRun = !started_ || columns != columns_ || rows != rows_ || moment < last_ ||
                        moment - last_ > kFootageGap;
    last_ = moment;
    if (newRun) {
        Start(dc, columns, rows);
        return 0;
    }
    const int shift = PictureShift(dc);
    int changed = 0;
    for (std::size_t i = 0; i < background_.size(); ++i) {
        const int difference = dc[i] * kSixteenths - background_[i];
        const bool blockChanged = std::abs(difference - shift) >= kChangedLevels * kSixteenths;
        changed += blockChanged ? inRegion_[i] : 0;
        background_[i] = static_cast<std::int16_t>(
            background_[i] + Share(difference, blockChanged ? kChangedFollow : kUnchangedFollow));
    }
    if (regionBlocks_ == 0) {
        return 0;
    }
    return static_cast<Activity>(static_cast<std::int64_t>(changed) * kAllBlocksChanged /
                                 regionBlocks_);
}

}  // namespace orvik
