// Every clip's length as a player reads it with libavformat: the file's duration (an MP4's
// edit list included) and the stream's end one frame's time after the last frame, in each
// container the export writes, with both codecs, for ranges across pauses and folders,
// with and without --close-gaps and --speed; and an .avi refused before any work when it
// cannot hold a pause.
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "tests/export/clip_reading.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

// A pace of 0.5 s, a pause of 5 minutes, a pace of 0.2 s; the next folder 45 minutes on,
// at a pace of 0.25 s.
const char* const kRecording[] = {
    "24061509/CAM109100000.JPG", "24061509/CAM109100050.JPG", "24061509/CAM109100100.JPG",
    "24061509/CAM109150100.JPG", "24061509/CAM109150120.JPG", "24061510/CAM110000000.JPG",
    "24061510/CAM110000025.JPG", "24061510/CAM110000050.JPG",
};

struct LengthCase {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::int64_t> frameTimes;  // milliseconds
    std::int64_t milliseconds;             // the clip's length
    bool pauseBeyondAvi = false;           // of more than 10 minutes: .avi is refused
};

const LengthCase kCases[] = {
    {"Whole", {}, {0, 500, 1000, 301000, 301200, 3000000, 3000250, 3000500}, 3000750, true},
    // The last frame shows at the pace before the pause, not for the pause.
    {"EndsRightAfterAPause", {"--to", "2024/06/15 09:15:01.00"}, {0, 500, 1000, 301000}, 301500},
    {"ClosedGaps", {"--close-gaps"}, {0, 500, 1000, 1500, 1700, 1900, 2150, 2400}, 2650},
    {"Speed", {"--speed", "5"}, {0, 100, 200, 60200, 60240, 600000, 600050, 600100}, 600150},
    {"SpeedAndClosedGaps",
     {"--speed", "5", "--close-gaps"},
     {0, 100, 200, 300, 340, 380, 430, 480},
     530},
    {"OneFrame", {"--from", "2024/06/15 09:15:01.00", "--to", "2024/06/15 09:15:01.00"}, {0}, 100},
};

void PrintTo(const LengthCase& c, std::ostream* out) {
    *out << c.name;
}

using LengthParam = std::tuple<LengthCase, std::string, std::string>;  // case, extension, codec

class ClipLengthTest : public FrameToolTest, public ::testing::WithParamInterface<LengthParam> {};

TEST_P(ClipLengthTest, EndsOneFrameTimeAfterItsLastFrame) {
    const auto& [c, extension, codec] = GetParam();
    for (std::size_t i = 0; i < std::size(kRecording); ++i) {
        tree.WriteFile(std::string("rec/") + kRecording[i], Frame(32, 16, 10 + i));
    }
    tree.MakeFolder("out");
    const std::string out = tree.Path("out/clip." + extension);
    std::vector<std::string> arguments = {"export", "--codec", codec, "-o", out};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(tree.Path("rec"));
    const ToolRun run = Run(arguments);

    if (extension == "avi" && c.pauseBeyondAvi) {  // refused before any work
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("avi holds pauses of up to 600.00 s, and this clip has one of "
                               "2698.80 s: write it as .mkv"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
        return;
    }
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");  // nothing of FFmpeg's or libx264's notes
    const std::optional<ReadClip> clip = ReadClipFile(out);
    ASSERT_TRUE(clip);
    std::vector<std::int64_t> times;
    for (const ClipPacket& packet : clip->packets) {
        times.push_back(packet.milliseconds);
    }
    std::sort(times.begin(), times.end());  // in the order the container stores them
    EXPECT_EQ(times, c.frameTimes);
    EXPECT_EQ(clip->milliseconds, c.milliseconds);
    if (clip->streamMilliseconds) {
        EXPECT_EQ(*clip->streamMilliseconds, c.milliseconds);
    }
}

INSTANTIATE_TEST_SUITE_P(ContainersCodecsRanges, ClipLengthTest,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values("mkv", "mp4", "mov", "avi"),
                                            ::testing::Values("copy", "h264")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param) + "_" + std::get<2>(info.param);
                         });

}  // namespace
}  // namespace orvik::test
