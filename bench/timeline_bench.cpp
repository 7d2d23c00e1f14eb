// The Timeline window over a month of footage: 1,000,000 frames in 720 hourly folders (June
// 2024), filmed in bursts of 100 frames half a second apart with 3 minutes of nothing after
// each, so the track holds some 10,000 spans of footage. Painting the whole window (texts,
// footage, folder ticks, clip marks, the marker) rendered into an image offscreen, beside
// painting the window with no recording; and building the timeline from the records, which
// the viewer does after every scan. The records are made without a file on disk: frame
// names go through CMavFolder::AddFile as the scan would add them.
//
// ORVIK_BENCH_QUICK set: 20,000 frames in the same folders.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "library/folder_list.h"
#include "library/name_keys.h"
#include "library/recording_timeline.h"
#include "shell/timeline_window.h"
#include "testing/recording/recording_writer.h"

namespace orvik::bench {
namespace {

constexpr int kDays = 30;
constexpr int kFramesInBurst = 100;
constexpr std::int32_t kFrameInterval = 50;  // hundredths
constexpr std::int32_t kPauseAfterBurst = 3 * kHundredthsPerMinute;

std::int64_t FrameCount() {
    return std::getenv("ORVIK_BENCH_QUICK") != nullptr ? 20000 : 1000000;
}

// The month's records, the frames shared evenly between the hourly folders.
std::unique_ptr<CFolderList> MonthOfRecords(std::int64_t frames) {
    auto list = std::make_unique<CFolderList>();
    const std::int64_t folders = std::int64_t{kDays} * 24;
    const std::int64_t perFolder = (frames + folders - 1) / folders;
    for (std::int64_t f = 0, added = 0; f < folders && added < frames; ++f) {
        const int hour = static_cast<int>(f % 24);
        char name[kNameCapacity];
        std::snprintf(name, sizeof name, "2406%02d%02d", static_cast<int>(f / 24 + 1), hour);
        CMavFolder* previous = list->folders.empty() ? nullptr : list->folders.back().get();
        CMavFolder& folder =
            *list->folders.emplace_back(std::make_unique<CMavFolder>(name, previous));
        if (previous != nullptr) {
            previous->next = &folder;
        }
        folder.dateKey = DateKeyOfName(name);
        for (std::int64_t i = 0; i < perFolder && added < frames; ++i, ++added) {
            const auto burst = static_cast<std::int32_t>(i / kFramesInBurst);
            const auto inBurst = static_cast<std::int32_t>(i % kFramesInBurst);
            const std::int32_t timeKey =
                hour * kHundredthsPerHour +
                burst * (kFramesInBurst * kFrameInterval + kPauseAfterBurst) +
                inBurst * kFrameInterval;
            char frameName[kNameCapacity];
            std::snprintf(frameName, sizeof frameName, "%s",
                          RecordingFrameName("CAM1", timeKey).c_str());
            folder.AddFile(frameName);
        }
        ++list->folderCount;
    }
    return list;
}

// Renders the window into an image the size of its default, as often as the state asks.
void Paint(benchmark::State& state, TimelineWindow& window) {
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void PaintMonth(benchmark::State& state) {
    const auto timeline = std::make_shared<const RecordingTimeline>(*MonthOfRecords(FrameCount()));
    TimelineWindow window;
    window.SetTimeline(timeline);
    const std::int32_t middle = timeline->FolderCount() / 2;
    window.SetShownFrame(middle, timeline->FileCount(middle) / 2);
    window.SetMarks(timeline->First() + kHundredthsPerDay, timeline->Last() - kHundredthsPerDay);
    Paint(state, window);
    state.counters["frames"] = static_cast<double>(timeline->FrameCount());
    state.counters["spans"] = static_cast<double>(timeline->Spans().size());
}

void PaintEmpty(benchmark::State& state) {
    TimelineWindow window;
    Paint(state, window);
}

void BuildMonth(benchmark::State& state) {
    const std::unique_ptr<CFolderList> records = MonthOfRecords(FrameCount());
    for (auto _ : state) {
        const RecordingTimeline timeline(*records);
        benchmark::DoNotOptimize(timeline.Spans().data());
    }
    state.counters["frames"] = static_cast<double>(FrameCount());
}

BENCHMARK(PaintMonth)->Name("TimelinePaint/month")->Unit(benchmark::kMillisecond);
BENCHMARK(PaintEmpty)->Name("TimelinePaint/empty")->Unit(benchmark::kMillisecond);
BENCHMARK(BuildMonth)->Name("TimelineBuild/month")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
