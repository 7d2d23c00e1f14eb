// orvik-frame activity: the events of a recording, in capture-time order. Each date folder
// asked for is taken from the cache or measured (its frames' luma DC decoded on --jobs
// threads), the events found over the frames captured from --from to --to, one printed a
// line, and a summary written on standard error.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "library/activity_cache.h"
#include "library/activity_index.h"
#include "library/folder_activity.h"
#include "library/recording_timeline.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/progress_line.h"
#include "tools/frame/recording_scan.h"

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;

struct Totals {
    std::int64_t frames = 0;
    std::int64_t refused = 0;
    CaptureMoment footage = 0;  // hundredths of a second
};

TimeSpan SpanAsked(const Options& options, const RecordingTimeline& timeline) {
    return {options.from ? MomentOf(*options.from) : timeline.First(),
            options.to ? MomentOf(*options.to) : timeline.Last()};
}

// The date folders of the scanned recording that activity reads: the date folder at
// scanned alone when the path named one, else every folder with frames within span.
std::vector<std::int32_t> FoldersAsked(const CMavFileManager& manager, const std::string& scanned,
                                       const RecordingTimeline& timeline, TimeSpan span) {
    const CFolderList& folders = manager.Folders();
    const bool dateFolder = manager.RootPath() != scanned;
    std::vector<std::int32_t> asked;
    for (std::int32_t i = 0; i < folders.folderCount; ++i) {
        const std::optional<TimeSpan> own = timeline.FolderSpan(i);
        const bool named = folders.folders[static_cast<std::size_t>(i)]->path == scanned;
        if (own && (dateFolder ? named : own->last >= span.first && own->first <= span.last)) {
            asked.push_back(i);
        }
    }
    return asked;
}

// The frames within span, the refused ones among them, and the footage they make: the
// pauses between them of at most kFootageGap.
void Count(const std::vector<RecordedFrame>& frames, const std::vector<Activity>& activity,
           TimeSpan span, Totals& totals) {
    std::optional<CaptureMoment> previous;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const CaptureMoment moment = frames[i].moment;
        if (moment < span.first || moment > span.last) {
            continue;
        }
        ++totals.frames;
        totals.refused += activity[i] == kNoActivity ? 1 : 0;
        if (previous && moment - *previous <= kFootageGap && moment >= *previous) {
            totals.footage += moment - *previous;
        }
        previous = moment;
    }
}

// A share in hundredths of a percent as percent with one place, rounded.
std::string PercentText(Activity share) {
    const int tenths = (share + 5) / 10;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

void PrintEvent(const ActivityEvent& e, bool json) {
    const std::string start = MomentText(e.start);
    const std::string end = MomentText(e.end);
    const std::string peak = PercentText(e.peak);
    if (json) {
        std::printf("{\"start\":\"%s\",\"end\":\"%s\",\"frames\":%lld,\"peak\":%s}\n",
                    start.c_str(), end.c_str(), static_cast<long long>(e.frames), peak.c_str());
    } else {
        std::printf("%s\t%s\t%lld\t%s\n", start.c_str(), end.c_str(),
                    static_cast<long long>(e.frames), peak.c_str());
    }
}

}  // namespace

int RunActivity(const Options& options) {
    ScanReportPrinter reports;
    CMavFileManager manager;
    const std::optional<std::string> scanned = ScanRecording(manager, options.inputs.front());
    if (!scanned) {
        return kExitRefused;
    }
    const RecordingTimeline timeline(manager.Folders());
    const TimeSpan span = SpanAsked(options, timeline);
    const std::vector<std::int32_t> asked = FoldersAsked(manager, *scanned, timeline, span);
    const ActivitySettings settings{options.region};
    const std::string cacheFolder = ActivityCacheFolder();

    ActivityIndex index(timeline, options.threshold);
    ProgressLine progress;
    Totals totals;
    const Clock::time_point start = Clock::now();
    for (std::size_t n = 0; n < asked.size(); ++n) {
        const std::int32_t folder = asked[n];
        const std::vector<RecordedFrame> frames = FolderFrames(manager.Folders(), folder, timeline);
        const std::string path = manager.Folders().folders[static_cast<std::size_t>(folder)]->path;
        const FolderActivity result = ActivityOfFolder(
            path, frames, settings, cacheFolder, JobsToUse(options), [&](std::size_t done) {
                if (progress.Due()) {
                    progress.Show("folder " + std::to_string(n + 1) + " of " +
                                  std::to_string(asked.size()) + ": " + std::to_string(done) +
                                  " of " + std::to_string(frames.size()) + " frames");
                }
            });
        index.SetFolder(folder, result.activity);
        Count(frames, result.activity, span, totals);
    }
    progress.Clear();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    const std::vector<ActivityEvent> events = index.Events(span);
    for (const ActivityEvent& e : events) {
        PrintEvent(e, options.jsonLines);
    }
    std::fflush(stdout);
    const double rate = seconds > 0 ? static_cast<double>(totals.frames) / seconds : 0.0;
    std::fprintf(stderr,
                 "%zu events, %lld frames, %.2f footage hours, %.0f frames/s, %lld refused\n",
                 events.size(), static_cast<long long>(totals.frames),
                 static_cast<double>(totals.footage) / (3600.0 * kHundredthsPerSecond), rate,
                 static_cast<long long>(totals.refused));
    return totals.refused == 0 && reports.Count() == 0 ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
