#include "export/clip_export.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "export/clip_muxer.h"
#include "export/clip_stream.h"
#include "export/clip_timing.h"
#include "export/ffmpeg_support.h"
#include "export/temporary_output.h"
#include "library/frame_reader.h"
#include "platform/ordered_work.h"

namespace orvik {
namespace {

// H.264 players keep up with this many pictures a second; a time-lapse drops the rest.
constexpr int kMaxH264FramesPerSecond = 60;

// FFmpeg's log is one for the whole process, and in every process that exports (the export
// program, the viewer) it serves the export alone. Its notes, libx264's settings and
// statistics above all (some 20 lines a clip), would only crowd standard error; its errors
// stay. Exports do not run side by side, so the level is not raced for.
void QuietenFfmpegLog() {
    if (av_log_get_level() > AV_LOG_ERROR) {
        av_log_set_level(AV_LOG_ERROR);
    }
}

ClipTiming TimingFor(const ExportSettings& settings, const AVOutputFormat* container) {
    const int maxFramesPerSecond = settings.codec == ClipCodec::kH264 ? kMaxH264FramesPerSecond : 0;
    return ClipTiming{settings.speed, settings.closeGaps, TicksPerSecondFor(container),
                      maxFramesPerSecond};
}

// The longest time between two frames of the plan, in ticks.
std::int64_t LongestPause(const std::vector<TimedFrame>& plan) {
    std::int64_t longest = 0;
    for (std::size_t step = 1; step < plan.size(); ++step) {
        longest = std::max(longest, plan[step].ticks - plan[step - 1].ticks);
    }
    return longest;
}

// One run of ExportClip: the plan of the clip's times, and the steps that follow it.
class ClipExport {
  public:
    ClipExport(std::span<const ClipFrame> frames, const ExportSettings& settings,
               const std::atomic<bool>& cancel, const ExportProgress& progress)
        : frames_(frames), settings_(settings), cancel_(cancel), progress_(progress) {}

    ExportOutcome Run();

  private:
    struct FirstFrame {
        std::size_t step = 0;  // in the plan
        FrameSize size;
    };

    std::optional<FirstFrame> FindFirstFrame();
    ExportEnding Write(const FirstFrame& first);
    Status Start(ClipStream& stream, TemporaryOutput& output, ClipMuxer& muxer);
    Status WriteFrames(const FirstFrame& first, ClipStream& stream, ClipMuxer& muxer);
    Status Finish(ClipStream& stream, TemporaryOutput& output, ClipMuxer& muxer);
    ExportEnding Fail(const Status& failure);
    void Refuse(const ClipFrame& frame, std::string reason);
    void Progress(std::size_t step) const;

    std::span<const ClipFrame> frames_;
    const ExportSettings& settings_;
    const std::atomic<bool>& cancel_;
    const ExportProgress& progress_;
    const AVOutputFormat* container_ = nullptr;
    int ticksPerSecond_ = 0;
    std::vector<TimedFrame> plan_;
    std::int64_t lastPace_ = 1;  // of the last frame written
    ExportOutcome outcome_;
};

ExportOutcome ClipExport::Run() {
    QuietenFfmpegLog();
    container_ = ContainerFor(settings_.outputPath);
    if (const Status held = ContainerCanHold(settings_.outputPath, settings_.codec); !held.Ok()) {
        outcome_.error = held.Why();
        return outcome_;
    }
    const ClipTiming timing = TimingFor(settings_, container_);
    ticksPerSecond_ = timing.ticksPerSecond;
    plan_ = PlanClipTimes(frames_, timing);
    if (const Status paused = ContainerCanPause(container_, LongestPause(plan_)); !paused.Ok()) {
        outcome_.error = paused.Why();
        return outcome_;
    }
    outcome_.dropped = frames_.size() - plan_.size();

    const std::optional<FirstFrame> first = FindFirstFrame();
    if (first) {
        outcome_.ending = Write(*first);
    } else if (cancel_) {
        outcome_.ending = ExportEnding::kCancelled;
    } else {
        outcome_.error = "no frame of the clip could be read";
    }
    return outcome_;
}

// The first frame of the plan that reads well: its picture size is the clip's. The frames
// before it are refused on the way.
std::optional<ClipExport::FirstFrame> ClipExport::FindFirstFrame() {
    FrameReader reader(std::nullopt, PictureAdjustments{});
    for (std::size_t step = 0; step < plan_.size() && !cancel_; ++step) {
        const ClipFrame& frame = frames_[plan_[step].index];
        const FrameFacts facts = reader.Read(frame.path.c_str(), DecodeDepth::kPlanes);
        if (facts.refusal == FrameRefusal::kNone) {
            return FirstFrame{step, facts.size};
        }
        Refuse(frame, RefusalText(facts));
        Progress(step);
    }
    return std::nullopt;
}

// Writes the clip under a temporary name and gives it its own once it is whole: the
// temporary file goes with any failure or a cancel.
ExportEnding ClipExport::Write(const FirstFrame& first) {
    const std::unique_ptr<ClipStream> stream =
        settings_.codec == ClipCodec::kH264
            ? MakeH264Stream(first.size, ticksPerSecond_, settings_.crf, settings_.adjustments,
                             (container_->flags & AVFMT_GLOBALHEADER) != 0)
            : MakeMjpegCopy(first.size, ticksPerSecond_);
    TemporaryOutput output(settings_.outputPath);
    ClipMuxer muxer;
    if (Status started = Start(*stream, output, muxer); !started.Ok()) {
        return Fail(started);
    }
    if (Status written = WriteFrames(first, *stream, muxer); !written.Ok()) {
        return Fail(written);
    }
    if (cancel_) {
        return ExportEnding::kCancelled;
    }
    if (Status finished = Finish(*stream, output, muxer); !finished.Ok()) {
        return Fail(finished);
    }
    return ExportEnding::kWritten;
}

// The temporary file, open in the container, with the stream and the header.
Status ClipExport::Start(ClipStream& stream, TemporaryOutput& output, ClipMuxer& muxer) {
    if (Status created = output.Create(); !created.Ok()) {
        return created;
    }
    if (Status opened = muxer.Open(container_, output.Path()); !opened.Ok()) {
        return opened;
    }
    if (Status added = stream.AddTo(muxer); !added.Ok()) {
        return added;
    }
    return muxer.WriteHeader();
}

// The plan's frames from the first one on, prepared by the workers and written in order;
// stops at a cancel.
Status ClipExport::WriteFrames(const FirstFrame& first, ClipStream& stream, ClipMuxer& muxer) {
    std::vector<const ClipFrame*> toPrepare;
    for (std::size_t step = first.step; step < plan_.size(); ++step) {
        toPrepare.push_back(&frames_[plan_[step].index]);
    }
    std::vector<OrderedWork<PreparedFrame>::Job> jobs;
    for (int job = 0; job < std::max(1, settings_.jobs); ++job) {
        jobs.emplace_back([preparer = std::shared_ptr(stream.MakePreparer()), &toPrepare](
                              std::size_t index) { return preparer->Prepare(*toPrepare[index]); });
    }
    OrderedWork<PreparedFrame> preparation(toPrepare.size(), std::move(jobs));

    const std::int64_t firstTicks = plan_[first.step].ticks;
    const CaptureMoment firstMoment = frames_[plan_[first.step].index].moment;
    for (std::size_t step = first.step; step < plan_.size() && !cancel_; ++step) {
        PreparedFrame prepared = preparation.Next();
        const ClipFrame& frame = frames_[plan_[step].index];
        if (!prepared.status.Ok()) {
            return prepared.status;
        }
        if (prepared.refusal) {
            Refuse(frame, std::move(*prepared.refusal));
        } else {
            const std::int64_t ticks = plan_[step].ticks - firstTicks;
            if (Status shown = muxer.FrameAt(ticks); !shown.Ok()) {
                return shown;
            }
            if (Status written = stream.Write(prepared, ticks, muxer); !written.Ok()) {
                return written;
            }
            lastPace_ = plan_[step].pace;
            ++outcome_.written;
            outcome_.footageSeconds = static_cast<double>(frame.moment - firstMoment) / 100;
            outcome_.clipSeconds = static_cast<double>(ticks) / ticksPerSecond_;
        }
        Progress(step);
    }
    return Status();
}

// What is left to write after the frames; then the file takes its own name.
Status ClipExport::Finish(ClipStream& stream, TemporaryOutput& output, ClipMuxer& muxer) {
    if (Status finished = stream.Finish(muxer); !finished.Ok()) {
        return finished;
    }
    if (Status closed = muxer.Finish(lastPace_); !closed.Ok()) {
        return closed;
    }
    return output.Commit();
}

ExportEnding ClipExport::Fail(const Status& failure) {
    outcome_.error = failure.Why();
    return ExportEnding::kFailed;
}

void ClipExport::Refuse(const ClipFrame& frame, std::string reason) {
    outcome_.refused.push_back({frame.path, std::move(reason)});
}

void ClipExport::Progress(std::size_t step) const {
    if (progress_) {
        progress_(step + 1, plan_.size());
    }
}

}  // namespace

Status ClipCanBeHeld(std::span<const ClipFrame> frames, const ExportSettings& settings) {
    if (const Status held = ContainerCanHold(settings.outputPath, settings.codec); !held.Ok()) {
        return held;
    }
    const AVOutputFormat* container = ContainerFor(settings.outputPath);
    return ContainerCanPause(container,
                             LongestPause(PlanClipTimes(frames, TimingFor(settings, container))));
}

ExportOutcome ExportClip(std::span<const ClipFrame> frames, const ExportSettings& settings,
                         const std::atomic<bool>& cancel, const ExportProgress& progress) {
    return ClipExport(frames, settings, cancel, progress).Run();
}

}  // namespace orvik
