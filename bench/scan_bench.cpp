// ScanFolderTree over a large generated tree (24 date folders, 1,000,000 frame files by
// default), timed beside `find ROOT -mindepth 2 -maxdepth 2 -printf '%s %p\n'`, which lists
// and sizes the same entries, in the same run; and the heap the records take per frame.
// Then loading one frame of a folder of 20,000 frames named in lower case, which the
// records keep in upper case.
//
// ORVIK_SCAN_BENCH_FILES sets the number of files (CI runs it small). The tree is made once
// under $TMPDIR (or /tmp) and reused while its completion mark is there. The files are
// sparse: 546 bytes long, with no data blocks, so the tree costs inodes only.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "library/file_manager.h"

namespace orvik {
namespace {

constexpr int kFolders = 24;
constexpr long kDefaultFiles = 1000000;
constexpr off_t kFrameFileSize = 546;  // the smallest the scan takes

long FileCount() {
    const char* text = std::getenv("ORVIK_SCAN_BENCH_FILES");
    const long files = text != nullptr ? std::atol(text) : kDefaultFiles;
    return files > 0 ? files : kDefaultFiles;
}

bool MakeSparseFile(const std::string& path) {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool sized = ftruncate(fd, kFrameFileSize) == 0;
    return close(fd) == 0 && sized;
}

// The tree's root, made when missing: folders 24061500 to 24061523, each holding its share
// of the files, named by capture times spread over the folder's hour.
std::string BenchTree(long files) {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path root = std::filesystem::path(tmp != nullptr ? tmp : "/tmp") /
                                       ("orvik-scan-bench-" + std::to_string(files));
    const std::filesystem::path mark = root / "complete";
    if (std::filesystem::exists(mark)) {
        return root.string();
    }
    std::fprintf(stderr, "making %ld files under %s\n", files, root.c_str());
    std::filesystem::remove_all(root);
    for (int f = 0; f < kFolders; ++f) {
        const long inFolder = files / kFolders + (f < files % kFolders ? 1 : 0);
        char name[16];
        std::snprintf(name, sizeof name, "240615%02d", f);
        const std::filesystem::path dated = root / name;
        std::filesystem::create_directories(dated);
        const long step = std::max(1L, 360000 / std::max(1L, inFolder));  // hundredths apart
        for (long i = 0; i < inFolder; ++i) {
            const long t = f * 360000L + i * step;
            char frame[32];
            std::snprintf(frame, sizeof frame, "CAM1%02ld%02ld%04ld.JPG", t / 360000, t / 6000 % 60,
                          t % 6000);
            if (!MakeSparseFile((dated / frame).string())) {
                std::perror(frame);
                std::exit(1);
            }
        }
    }
    MakeSparseFile(mark.string());
    return root.string();
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Processor time (user + system) of this process or of its finished children.
double ProcessorSeconds(int who) {
    struct rusage usage {};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = 0;
    double processor = 0;
};

Timing RunFind(const std::string& root) {
    const std::string command =
        "find '" + root + "' -mindepth 2 -maxdepth 2 -printf '%s %p\\n' > /dev/null";
    const double processorBefore = ProcessorSeconds(RUSAGE_CHILDREN);
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "find failed\n");
    }
    return Timing{Seconds(std::chrono::steady_clock::now() - start),
                  ProcessorSeconds(RUSAGE_CHILDREN) - processorBefore};
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Wall time is what the user waits for; processor time is reported beside it because on a
// shared machine the wall times of both programs swing with the load.
void BM_ScanFolderTree(benchmark::State& state) {
    const std::string root = BenchTree(FileCount());
    std::unique_ptr<CMavFileManager> manager;
    Timing scan, find;
    double bytesPerFrame = 0;
    for (auto _ : state) {
        const Timing findRun = RunFind(root);
        find.wall += findRun.wall;
        find.processor += findRun.processor;
        manager.reset();  // a new manager each run, so that the heap holds only its records
        manager = std::make_unique<CMavFileManager>();
        const std::size_t before = HeapInUse();
        char path[kPathCapacity];
        std::snprintf(path, sizeof path, "%s", root.c_str());
        const double processorBefore = ProcessorSeconds(RUSAGE_SELF);
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(manager->ScanFolderTree(path));
        const double took = Seconds(std::chrono::steady_clock::now() - start);
        scan.processor += ProcessorSeconds(RUSAGE_SELF) - processorBefore;
        state.SetIterationTime(took);
        scan.wall += took;
        bytesPerFrame = static_cast<double>(HeapInUse() - before) / manager->TotalFiles();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["frames"] = manager->TotalFiles();
    state.counters["find_ms"] = find.wall / runs * 1000;
    state.counters["scan_per_find"] = scan.wall / find.wall;
    state.counters["cpu_per_find_cpu"] = scan.processor / find.processor;
    state.counters["bytes_per_frame"] = bytesPerFrame;
}
BENCHMARK(BM_ScanFolderTree)->UseManualTime()->Unit(benchmark::kMillisecond);

constexpr long kMixedCaseFolderFiles = 20000;

// A folder of frames named "cam1hhmmsscc.jpg", a quarter of a second apart, made when missing.
std::string MixedCaseTree() {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path root =
        std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "orvik-load-bench-mixed-case";
    const std::filesystem::path mark = root / "complete";
    if (!std::filesystem::exists(mark)) {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "24061500");
        for (long i = 0; i < kMixedCaseFolderFiles; ++i) {
            const long t = i * 25;
            char frame[32];
            std::snprintf(frame, sizeof frame, "cam1%02ld%02ld%04ld.jpg", t / 360000, t / 6000 % 60,
                          t % 6000);
            MakeSparseFile((root / "24061500" / frame).string());
        }
        MakeSparseFile(mark.string());
    }
    return root.string();
}

// GoToFile on frames spread over the folder: the file opened and read (546 bytes, so nothing
// is decoded). Opening by the listed name costs the same whatever the folder holds.
void BM_LoadInMixedCaseFolder(benchmark::State& state) {
    auto manager = std::make_unique<CMavFileManager>();
    char path[kPathCapacity];
    std::snprintf(path, sizeof path, "%s", MixedCaseTree().c_str());
    Playhead head;
    std::int32_t index = 0;
    if (manager->ScanFolderTree(path) != 0 || !manager->LoadFirstFrame()) {
        state.SkipWithError("the mixed-case folder cannot be scanned");
        return;
    }
    for (auto _ : state) {
        index = (index + 7919) % kMixedCaseFolderFiles;  // a prime stride visits them all
        benchmark::DoNotOptimize(manager->GoToFile(head, index));
    }
    state.counters["files"] = static_cast<double>(manager->FileCount());
}
BENCHMARK(BM_LoadInMixedCaseFolder)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvik

BENCHMARK_MAIN();
