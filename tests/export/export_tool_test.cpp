// orvik-frame export run as a process on recordings made on the fly, each clip read back
// with libavformat: the frames a range takes across gaps, folders and days, every packet's
// time and bytes, H.264 pictures held to the viewer's, damaged frames left out, the same
// bytes for any --jobs, and an export interrupted by any of its signals leaving nothing
// behind.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "library/file_manager.h"
#include "tests/export/clip_reading.h"
#include "tests/frame_tool/tool_fixtures.h"

extern char** environ;

namespace orvik::test {
namespace {

// One frame of the test recording, which runs from 29 February 2024 into 1 March.
struct RecordedTime {
    const char* folder;
    int day;  // 0: 29 February, 1: 1 March
    int hours, minutes, seconds, hundredths;

    std::int64_t Clock() const {  // hundredths of a second from 29 February 00:00
        return day * 8640000LL + hours * 360000 + minutes * 6000 + seconds * 100 + hundredths;
    }
};

const RecordedTime kRecording[] = {
    {"24022923", 0, 23, 59, 50, 0},  {"24022923", 0, 23, 59, 50, 50},
    {"24022923", 0, 23, 59, 51, 0},  {"24022923", 0, 23, 59, 55, 0},  // a gap of 4 s before
    {"24022923", 0, 23, 59, 55, 50}, {"24030100", 1, 0, 0, 0, 0},     // a gap, a day on
    {"24030100", 1, 0, 0, 0, 50},    {"24030100", 1, 0, 0, 4, 0},     // and a gap
};
constexpr int kFrameCount = static_cast<int>(std::size(kRecording));

class ExportTest : public FrameToolTest {
  protected:
    std::string FramePath(int i) const {
        const RecordedTime& t = kRecording[i];
        return tree.Path(std::string("rec/") + t.folder + "/" +
                         FrameName(t.hours, t.minutes, t.seconds, t.hundredths));
    }
    // Each frame a picture of its own; frame i becomes replace(i) where that is given.
    void WriteRecording(int width, int height, const std::map<int, Bytes>& replace = {}) const {
        for (int i = 0; i < kFrameCount; ++i) {
            const auto replaced = replace.find(i);
            tree.WriteFile(
                FramePath(i).substr(tree.Root().size() + 1),
                replaced != replace.end() ? replaced->second : Frame(width, height, 10 + i));
        }
    }
    ToolRun Export(std::vector<std::string> options, const std::string& out) const {
        options.insert(options.begin(), "export");
        options.insert(options.end(), {"-o", tree.Path(out), tree.Path("rec")});
        return Run(options);
    }
    // What orvik-frame jpeg makes of frame i.
    Bytes JpegOf(int i) const {
        const std::string out = tree.Path("jpegs/" + std::to_string(i) + ".jpg");
        std::filesystem::create_directories(tree.Path("jpegs"));
        EXPECT_EQ(Run({"jpeg", "-o", out, FramePath(i)}).exitCode, 0);
        return ReadBytes(out);
    }
    // The clip holds exactly these frames' JPEGs, at these times.
    void ExpectCopyOf(const std::string& clipPath, const std::vector<int>& frames,
                      const std::vector<std::int64_t>& milliseconds) const {
        const std::optional<ReadClip> clip = ReadClipFile(clipPath);
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->codec, "mjpeg");
        ASSERT_EQ(clip->packets.size(), frames.size());
        for (std::size_t k = 0; k < frames.size(); ++k) {
            SCOPED_TRACE("packet " + std::to_string(k));
            EXPECT_EQ(clip->packets[k].milliseconds, milliseconds[k]);
            EXPECT_TRUE(clip->packets[k].data == JpegOf(frames[k]));
        }
    }
};

// Capture time minus the first frame's, in milliseconds.
std::vector<std::int64_t> CaptureMilliseconds(const std::vector<int>& frames) {
    std::vector<std::int64_t> times;
    for (const int i : frames) {
        times.push_back((kRecording[i].Clock() - kRecording[frames.front()].Clock()) * 10);
    }
    return times;
}

struct RangeCase {
    const char* name;
    std::vector<std::string> options;
    std::vector<int> frames;
    std::vector<std::int64_t> milliseconds;  // empty: the capture times
};

class CopyRangeTest : public ExportTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(CopyRangeTest, PacketsAreTheFramesJpegsAtTheirTimes) {
    WriteRecording(32, 16);
    const RangeCase& c = GetParam();
    const ToolRun run = Export(c.options, "clip.mkv");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind(std::to_string(c.frames.size()) + " frames written, 0 refused", 0), 0u)
        << run.out;
    ExpectCopyOf(tree.Path("clip.mkv"), c.frames,
                 c.milliseconds.empty() ? CaptureMilliseconds(c.frames) : c.milliseconds);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, CopyRangeTest,
    ::testing::Values(
        RangeCase{"Whole", {}, {0, 1, 2, 3, 4, 5, 6, 7}, {}},
        RangeCase{"StartsAndEndsInGaps",
                  {"--from", "2024/02/29 23:59:52", "--to", "2024/03/01 00:00:02"},
                  {3, 4, 5, 6},
                  {}},
        RangeCase{"CrossesAFolderAndADayEndsIncluded",
                  {"--from", "2024/02/29 23:59:55.50", "--to", "2024/03/01 00:00:00.50"},
                  {4, 5, 6},
                  {}},
        RangeCase{"ToWithoutHundredthsTakesTheSecond", {"--to", "2024/02/29 23:59:50"}, {0, 1}, {}},
        RangeCase{"OneFrame",
                  {"--from", "2024/03/01 00:00:04.00", "--to", "2024/03/01 00:00:04.00"},
                  {7},
                  {}},
        RangeCase{"SpeedAndClosedGaps",
                  {"--speed", "2", "--close-gaps"},
                  {0, 1, 2, 3, 4, 5, 6, 7},
                  {0, 250, 500, 750, 1000, 1250, 1500, 1750}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportTest, TheContainerIsTheOneTheExtensionNames) {
    WriteRecording(32, 16);
    for (const char* name : {"clip.mov", "clip.avi", "clip"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Export({}, name).exitCode, 0);
        ExpectCopyOf(tree.Path(name), {0, 1, 2, 3, 4, 5, 6, 7},
                     CaptureMilliseconds({0, 1, 2, 3, 4, 5, 6, 7}));
    }
    EXPECT_EQ(ReadClipFile(tree.Path("clip"))->container, "matroska,webm");
}

TEST_F(ExportTest, ARangeWithoutFramesIsAUsageError) {
    WriteRecording(32, 16);
    const ToolRun run =
        Export({"--from", "2024/02/29 23:59:56", "--to", "2024/02/29 23:59:59"}, "clip.mkv");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no frames in that range"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(tree.Path("clip.mkv")));
}

TEST_F(ExportTest, DamagedFramesAreLeftOutAndCounted) {
    // The first frame is damaged too: the clip starts at the first frame that reads.
    WriteRecording(
        32, 16,
        {{0, WithBadEndMarker(Frame(32, 16, 10))}, {3, WithHeaderSize(Frame(32, 16, 13), 30, 16)}});
    const ToolRun run = Export({}, "clip.mkv");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(FramePath(0) + ": refused: bad end marker"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(FramePath(3) + ": refused: refused size"), std::string::npos);
    EXPECT_EQ(run.out.rfind("6 frames written, 2 refused", 0), 0u) << run.out;
    ExpectCopyOf(tree.Path("clip.mkv"), {1, 2, 4, 5, 6, 7},
                 CaptureMilliseconds({1, 2, 4, 5, 6, 7}));
}

// The viewer's picture of a frame as B, G, R bytes, top row first.
Bytes ViewerPicture(const std::string& path, const PictureAdjustments& adjustments) {
    const ViewerFrame frame = LoadInViewer(path, adjustments, std::nullopt);
    Bytes bgr;
    for (int row = frame.height - 1; row >= 0; --row) {
        const auto start = frame.picture.begin() + static_cast<std::ptrdiff_t>(row * frame.stride);
        bgr.insert(bgr.end(), start, start + frame.width * 3);
    }
    return bgr;
}

TEST_F(ExportTest, H264PicturesAreTheViewersWithTheStoredSettings) {
    // A frame of another size in the middle is scaled to the first frame's.
    WriteRecording(160, 120, {{4, Frame(320, 240, 14)}});
    const PictureAdjustments stored{30, 60, 40, 70};
    StoreSettings(stored);
    const ToolRun run = Export({}, "clip.mp4");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::optional<ReadClip> clip = ReadClipFile(tree.Path("clip.mp4"));
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->codec, "h264");
    EXPECT_EQ(clip->width, 160);
    std::vector<std::int64_t> times;
    for (const ClipPacket& packet : clip->packets) {
        times.push_back(packet.milliseconds);
    }
    std::sort(times.begin(), times.end());  // packets come in decoding order
    EXPECT_EQ(times, CaptureMilliseconds({0, 1, 2, 3, 4, 5, 6, 7}));

    const std::vector<Bytes> pictures = DecodeClipPictures(tree.Path("clip.mp4"));
    ASSERT_EQ(pictures.size(), 8u);
    EXPECT_GE(Psnr(pictures.front(), ViewerPicture(FramePath(0), stored)), 30.0);
    EXPECT_GE(Psnr(pictures.back(), ViewerPicture(FramePath(7), stored)), 30.0);
    // Held to the wrong settings, the same pictures are far off: the measure tells.
    EXPECT_LT(Psnr(pictures.front(), ViewerPicture(FramePath(0), {49, 49, 49, 49})), 25.0);
}

TEST_F(ExportTest, EveryNumberOfJobsWritesTheSameBytes) {
    WriteRecording(160, 120);
    for (const char* clip : {"clip.mp4", "clip.mkv"}) {
        SCOPED_TRACE(clip);
        ASSERT_EQ(Export({"--jobs", "1"}, std::string("one-") + clip).exitCode, 0);
        ASSERT_EQ(Export({"--jobs", "3"}, std::string("three-") + clip).exitCode, 0);
        EXPECT_TRUE(ReadBytes(tree.Path(std::string("one-") + clip)) ==
                    ReadBytes(tree.Path(std::string("three-") + clip)));
    }
}

// Ctrl+C, a kill, and a closed terminal each cancel the export.
class InterruptionTest : public ExportTest, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptionTest, AnInterruptedExportLeavesNothing) {
    // Many large frames, so that the export is still running when it is interrupted.
    const Bytes frame = Frame(1280, 1024, 3);
    for (int i = 0; i < 100; ++i) {
        tree.WriteFile("rec/24061509/" + FrameName(9, 0, i / 10, i % 10 * 10), frame);
    }
    tree.MakeFolder("out");
    std::vector<std::string> words = {
        ORVIK_FRAME_TOOL,          "export",        "--jobs", "1", "-o",
        tree.Path("out/clip.mp4"), tree.Path("rec")};
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, tree.Path("err").c_str(),
                                     O_WRONLY | O_CREAT, 0644);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // Once the temporary file is there the clip is being written.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::filesystem::is_empty(tree.Path("out")) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, GetParam());
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
    const Bytes err = ReadBytes(tree.Path("err"));
    EXPECT_NE(std::string(err.begin(), err.end()).find("interrupted"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptionTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace orvik::test
