// A month of footage beside one day: what reading the recording and batch work on a part of
// it cost as the recording grows. The month is 29 days of hour folders (one day missing,
// one hour missing, 695 folders) at one frame a second, with a five-minute hole in every
// seventh folder: 2,472,300 frames. The day is 24 such folders, 85,500 frames. Every frame
// is a hard link to one 640 x 480 frame file, one copy of it a folder (a file takes at
// most 65,000 links), so the disk holds the names and a few megabytes of pictures.
//
// For each recording:
//   Scan            ScanFolderTree in this process; counter bytes_per_frame is the heap
//                   the records take a frame.
//   ViewerFirst     orvik-view --quit-after-first-frame, offscreen: process wall time, and
//                   the viewer's own figure from main to the first frame (first_frame_ms).
//   ViewerRead      orvik-view --quit-after-scan: from main to the recording read whole
//                   (read_ms).
//   Check/folder    orvik-frame check of one date folder (3,600 frames);
//   Check/range10   orvik-frame check --from --to of 10 frames of the same folder;
//   Export/folder   orvik-frame export of the date folder to a copy .mkv;
//   Export/range10  orvik-frame export --from --to of the 10 frames;
// each a whole process: wall time, processor time (cpu_ms) and peak memory (peak_mb).
//
// The recordings are made once a process under $TMPDIR (or /tmp) and removed at its end.
// Making and removing the month's 2.5 million links takes about a minute each. Skipped
// with ORVIK_BENCH_QUICK set (scripts/bench.sh --quick); ORVIK_MONTH_BENCH_DAYS makes a
// shorter "month" for trying the benchmark out.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "bench/process_runs.h"
#include "library/file_manager.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

constexpr int kMonthDays = 30;       // November 2026, day 15 missing
constexpr int kMissingDay = 15;      //
constexpr int kMissingHourDay = 20;  // and 04:00 of November 20
constexpr int kMissingHour = 4;
constexpr int kFramesAnHour = 3600;
constexpr int kHoleStart = 1200;  // seconds into the hour
constexpr int kHoleLength = 300;
// The folder checked and exported, present in both recordings, and its 10 frames:
// 2026/11/03 12:00:00 to 12:00:09 (the recording is one frame a second).
constexpr char kFolder[] = "26110312";
constexpr char kRangeFrom[] = "2026/11/03 12:00:00";
constexpr char kRangeTo[] = "2026/11/03 12:00:09";

bool HasHole(int day, int hour) {
    return (day + hour) % 7 == 0;
}

struct Recording {
    std::string path;
    long frames = 0;
};

// The hour folders of days first..last under root, the frames of each a link to a copy of
// frame made beside root.
Recording MakeRecording(const test::TempTree& tree, const std::string& root,
                        const std::vector<std::uint8_t>& frame, int first, int last) {
    Recording made{tree.Path(root), 0};
    tree.MakeFolder(root);
    for (int day = first; day <= last; ++day) {
        for (int hour = 0; hour < 24 && day != kMissingDay; ++hour) {
            if (day == kMissingHourDay && hour == kMissingHour) {
                continue;
            }
            char name[32];
            std::snprintf(name, sizeof name, "2611%02d%02d", day, hour);
            const std::string folder = tree.Path(root + "/" + name);
            const std::string source = tree.Path(root + "-" + name + ".frame");
            tree.WriteFile(root + "-" + name + ".frame", frame);
            if (mkdir(folder.c_str(), 0755) != 0) {
                std::perror(name);
                std::filesystem::remove_all(tree.Root());  // leave nothing behind
                std::exit(1);
            }
            for (int s = 0; s < kFramesAnHour; ++s) {
                if (HasHole(day, hour) && s >= kHoleStart && s < kHoleStart + kHoleLength) {
                    continue;
                }
                char frame[48];
                std::snprintf(frame, sizeof frame, "/CAM1%02d%02d%02d00.JPG", hour, s / 60, s % 60);
                if (link(source.c_str(), (folder + frame).c_str()) != 0) {
                    std::perror(frame);
                    std::filesystem::remove_all(tree.Root());  // leave nothing behind
                    std::exit(1);
                }
                ++made.frames;
            }
        }
    }
    return made;
}

int MonthDays() {
    const char* text = std::getenv("ORVIK_MONTH_BENCH_DAYS");
    const int days = text != nullptr ? std::atoi(text) : kMonthDays;
    return days >= 3 && days <= kMonthDays ? days : kMonthDays;  // day 3 holds the folder
}

// Both recordings, made on first use; removed with the tree when the process ends.
struct Recordings {
    test::TempTree tree;
    Recording month;
    Recording day;

    Recordings() {
        const std::vector<std::uint8_t> frame = MakeCodedFrame(640, 480, 75).frame;
        tree.MakeFolder("config");  // the programs' stored settings: none
        setenv("XDG_CONFIG_HOME", tree.Path("config").c_str(), 1);
        std::fprintf(stderr, "making a month of frame links under %s\n", tree.Root().c_str());
        month = MakeRecording(tree, "month", frame, 1, MonthDays());
        day = MakeRecording(tree, "day", frame, 3, 3);
    }
};

Recordings& TheRecordings() {
    static Recordings recordings;
    return recordings;
}

const Recording& Of(bool month) {
    return month ? TheRecordings().month : TheRecordings().day;
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_Scan(benchmark::State& state, bool month) {
    const Recording& recording = Of(month);
    double bytesPerFrame = 0;
    for (auto _ : state) {
        auto manager = std::make_unique<CMavFileManager>();
        const std::size_t before = HeapInUse();
        char path[kPathCapacity];
        std::snprintf(path, sizeof path, "%s", recording.path.c_str());
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(manager->ScanFolderTree(path));
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        bytesPerFrame = static_cast<double>(HeapInUse() - before) /
                        static_cast<double>(std::max(1, manager->TotalFiles()));
    }
    state.counters["frames"] = static_cast<double>(recording.frames);
    state.counters["bytes_per_frame"] = bytesPerFrame;
}

void BM_Viewer(benchmark::State& state, bool month, bool whole) {
    const Recording& recording = Of(month);
    RunProgramTimed(state,
                    {ORVIK_VIEW_PROGRAM, whole ? "--quit-after-scan" : "--quit-after-first-frame",
                     recording.path},
                    static_cast<int>(recording.frames),
                    whole ? "recording read after" : "first frame presented after",
                    whole ? "read_ms" : "first_frame_ms");
}

void BM_Frame(benchmark::State& state, bool month, bool exporting, bool range) {
    const Recording& recording = Of(month);
    std::vector<std::string> argv = {ORVIK_FRAME_PROGRAM, exporting ? "export" : "check"};
    if (range) {
        argv.insert(argv.end(), {"--from", kRangeFrom, "--to", kRangeTo});
    }
    if (exporting) {
        argv.insert(argv.end(), {"-o", TheRecordings().tree.Path("clip.mkv")});
    }
    argv.push_back(range ? recording.path : recording.path + "/" + kFolder);
    RunProgramTimed(state, argv, range ? 10 : kFramesAnHour);
}

void RegisterAll() {
    for (const bool month : {true, false}) {
        const std::string name = month ? "/month" : "/day";
        std::vector<benchmark::internal::Benchmark*> runs = {
            benchmark::RegisterBenchmark(("MonthScan" + name).c_str(), BM_Scan, month),
            benchmark::RegisterBenchmark(("MonthViewerFirst" + name).c_str(), BM_Viewer, month,
                                         false),
            benchmark::RegisterBenchmark(("MonthViewerRead" + name).c_str(), BM_Viewer, month,
                                         true),
        };
        for (const bool exporting : {false, true}) {
            for (const bool range : {false, true}) {
                const std::string run = std::string(exporting ? "MonthExport" : "MonthCheck") +
                                        name + (range ? "/range10" : "/folder");
                runs.push_back(
                    benchmark::RegisterBenchmark(run.c_str(), BM_Frame, month, exporting, range));
            }
        }
        // Whole runs of up to a few seconds: two iterations each.
        for (benchmark::internal::Benchmark* run : runs) {
            run->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
        }
    }
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    if (std::getenv("ORVIK_BENCH_QUICK") != nullptr) {
        std::puts("month_bench: skipped in quick runs (it makes 2.5 million links)");
        return 0;
    }
    return orvik::bench::RunBenchmarks(argc, argv, orvik::bench::RegisterAll);
}
