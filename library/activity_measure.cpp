#include "library/activity_measure.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "library/activity_meter.h"
#include "library/frame_reader.h"
#include "platform/ordered_work.h"

namespace orvik {
namespace {

constexpr DecoderVariant kActivityVariant = DecoderVariant::kScalar;

// A frame's DC picture, or none (empty samples) when the frame was refused.
struct DcPicture {
    std::vector<std::uint8_t> samples;
    int columns = 0;
    int rows = 0;
};

DcPicture ReadDcPicture(FrameReader& reader, const RecordedFrame& frame) {
    if (reader.Read(frame.path.c_str(), DecodeDepth::kLumaDc).refusal != FrameRefusal::kNone) {
        return {};
    }
    const std::span<const std::uint8_t> dc = reader.LumaDc();
    return {std::vector<std::uint8_t>(dc.begin(), dc.end()), reader.Width() / 8,
            reader.Height() / 8};
}

std::unique_ptr<FrameReader> MakeReader() {
    return std::make_unique<FrameReader>(kActivityVariant, PictureAdjustments{});
}

}  // namespace

MeasuredActivity MeasureActivity(std::span<const RecordedFrame> frames,
                                 const ActivitySettings& settings, int jobs,
                                 const std::function<void(std::size_t done)>& progress) {
    MeasuredActivity measured;
    measured.activity.reserve(frames.size());
    ActivityMeter meter(settings);
    auto take = [&](std::size_t i, const DcPicture& picture) {
        const Activity a = picture.samples.empty() ? kNoActivity
                                                   : meter.Measure(picture.samples, picture.columns,
                                                                   picture.rows, frames[i].moment);
        measured.activity.push_back(a);
        measured.refused += a == kNoActivity ? 1 : 0;
        if (progress) {
            progress(i + 1);
        }
    };
    const std::size_t workers =
        std::min(frames.size(), static_cast<std::size_t>(std::max(1, jobs)));
    if (workers <= 1) {
        const std::unique_ptr<FrameReader> reader = MakeReader();
        for (std::size_t i = 0; i < frames.size(); ++i) {
            take(i, ReadDcPicture(*reader, frames[i]));
        }
        return measured;
    }
    std::vector<OrderedWork<DcPicture>::Job> work;
    for (std::size_t w = 0; w < workers; ++w) {
        work.emplace_back([reader = std::shared_ptr(MakeReader()), frames](std::size_t i) {
            return ReadDcPicture(*reader, frames[i]);
        });
    }
    OrderedWork<DcPicture> ordered(frames.size(), std::move(work));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        take(i, ordered.Next());
    }
    return measured;
}

}  // namespace orvik
