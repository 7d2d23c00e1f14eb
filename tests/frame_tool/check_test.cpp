// check: every frame of files, date folders and recordings decoded in full; each refused
// frame named with its reason, then the counts.
#include <cstdio>

#include "testing/recording/recording_writer.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

// "N frames, M refused" of the summary line "N frames, M refused, T s, decoding F frames/s"
// that ends the output, or "" when it does not end so.
std::string Counts(const std::string& out) {
    const std::size_t lineStart = out.rfind('\n', out.size() >= 2 ? out.size() - 2 : 0);
    const std::string line = out.substr(lineStart == std::string::npos ? 0 : lineStart + 1);
    unsigned long frames = 0;
    unsigned long refused = 0;
    unsigned seconds = 0;
    unsigned hundredths = 0;
    unsigned long rate = 0;
    int end = 0;
    const int read =
        std::sscanf(line.c_str(), "%lu frames, %lu refused, %u.%2u s, decoding %lu frames/s\n%n",
                    &frames, &refused, &seconds, &hundredths, &rate, &end);
    if (read != 5 || static_cast<std::size_t>(end) != line.size()) {
        return "";
    }
    return std::to_string(frames) + " frames, " + std::to_string(refused) + " refused";
}

class CheckTest : public FrameToolTest {
  protected:
    // Frames of 32 x 16 pictures at one-second steps from hour:00:00.
    void Frames(const std::string& folder, int hour, int count) const {
        for (int i = 0; i < count; ++i) {
            tree.WriteFile(folder + "/" + FrameName(hour, i / 60, i % 60),
                           Frame(32, 16, static_cast<std::uint32_t>(i)));
        }
    }
};

TEST_F(CheckTest, ARefusedFrameInTheMiddleOfAFolderIsNamedAndCounted) {
    Frames("24010110", 10, 5);
    const std::string bad = "24010110/" + FrameName(10, 0, 2);
    tree.WriteFile(bad, WithBadEndMarker(ReadBytes(tree.Path(bad))));
    const ToolRun run = Run({"check", tree.Root()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.starts_with(tree.Path(bad) + ": refused: bad end marker\n")) << run.out;
    EXPECT_EQ(Counts(run.out), "5 frames, 1 refused") << run.out;
}

TEST_F(CheckTest, AllGoodGivesExitCode0InBothVariantsAndWithAnyAdjustments) {
    Frames("24010110", 10, 3);
    Frames("24010111", 11, 2);
    for (const std::vector<std::string>& options : {std::vector<std::string>{},
                                                    {"--variant", "packed"},
                                                    {"--variant", "scalar"},
                                                    {"--adjust", "-1000,1000,0,99"}}) {
        std::vector<std::string> arguments = {"check"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(tree.Root());
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(Counts(run.out), "5 frames, 0 refused") << run.out;
        EXPECT_EQ(run.err, "") << "no progress line off a terminal";
    }
}

TEST_F(CheckTest, ADateFolderIsCheckedAloneAndFilesAsGiven) {
    Frames("rec/24010110", 10, 3);
    Frames("rec/24010111", 11, 4);
    Frames("rec/24010111_b", 11, 2);  // the same date key as the folder before it
    tree.WriteFile("loose.jpg", Frame(64, 32));
    tree.WriteFile("short.jpg", Bytes(545, 0xFF));

    EXPECT_EQ(Counts(Run({"check", tree.Path("rec")}).out), "9 frames, 0 refused");
    EXPECT_EQ(Counts(Run({"check", tree.Path("rec/24010111")}).out), "4 frames, 0 refused");
    EXPECT_EQ(Counts(Run({"check", tree.Path("rec/24010111_b/")}).out), "2 frames, 0 refused");

    const ToolRun run = Run({"check", tree.Path("rec/24010110"), tree.Path("loose.jpg"),
                             tree.Path("short.jpg"), tree.Path("missing.jpg")});
    EXPECT_EQ(Counts(run.out), "6 frames, 2 refused") << run.out;
    EXPECT_NE(run.out.find(tree.Path("short.jpg") + ": refused: too short\n"), std::string::npos);
    EXPECT_NE(run.out.find(tree.Path("missing.jpg") + ": refused: unreadable"), std::string::npos);
    EXPECT_EQ(run.exitCode, 1);
}

// Every frame is opened by the name the listing gave, as the viewer opens it: lower-case
// names and names longer than a record keeps are read, a refused one is named as listed,
// and a date folder of a long name is found by its path.
TEST_F(CheckTest, FramesAreOpenedByTheirListedNames) {
    tree.WriteFile("rec/24010110/cam110000000.jpg", Frame(32, 16));
    tree.WriteFile("rec/24010110/CAM110000100_recorded_by_unit_seven.JPG", Frame(32, 16, 2));
    const std::string bad = "rec/24010110/cam110000200_recorded_by_unit_seven.jpg";
    tree.WriteFile(bad, WithBadEndMarker(Frame(32, 16, 3)));
    const std::string longFolder = "rec/24010111_a_folder_name_longer_than_a_record_keeps";
    tree.WriteFile(longFolder + "/CAM111000000.JPG", Frame(32, 16, 4));

    const ToolRun run = Run({"check", tree.Path("rec")});
    EXPECT_TRUE(run.out.starts_with(tree.Path(bad) + ": refused: bad end marker\n")) << run.out;
    EXPECT_EQ(Counts(run.out), "4 frames, 1 refused") << run.out;
    EXPECT_EQ(run.exitCode, 1);
    const ToolRun folder = Run({"check", tree.Path(longFolder)});
    EXPECT_EQ(Counts(folder.out), "1 frames, 0 refused") << folder.out;
    EXPECT_EQ(folder.exitCode, 0);
}

// --from and --to take the frames of each folder given captured within them, in the
// viewer's order; frame files given by name are checked whatever their time.
TEST_F(CheckTest, ARangeChecksTheFramesOfTheFoldersCapturedWithinIt) {
    Frames("rec/24010110", 10, 4);
    Frames("rec/24010111", 11, 4);
    const std::string outside = "rec/24010110/" + FrameName(10, 0, 0);
    const std::string inside = "rec/24010111/" + FrameName(11, 0, 1);
    for (const std::string& damaged : {outside, inside}) {
        tree.WriteFile(damaged, WithBadEndMarker(ReadBytes(tree.Path(damaged))));
    }
    tree.WriteFile("loose.jpg", Frame(32, 16));
    struct Case {
        std::vector<std::string> arguments;
        std::string counts;
        bool insideNamed;
    };
    const Case cases[] = {
        {{"--from", "2024/01/01 10:00:02", "--to", "2024/01/01 11:00:01"},
         "4 frames, 1 refused",
         true},
        {{"--from", "2024/01/01 10:00:01"}, "7 frames, 1 refused", true},
        {{"--from", "2024/01/01 10:00:01", "--to", "2024/01/01 10:59:59"},
         "3 frames, 0 refused",
         false},
        {{"--from", "2024/01/01 11:00:02.00", "--to", "2024/01/01 11:00:02.00"},
         "1 frames, 0 refused",
         false},
        {{"--from", "2024/01/02 00:00:00"}, "0 frames, 0 refused", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"check"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(tree.Path("rec"));
        const ToolRun run = Run(arguments);
        SCOPED_TRACE(c.arguments[1]);
        EXPECT_EQ(Counts(run.out), c.counts) << run.out << run.err;
        EXPECT_EQ(run.out.find(tree.Path(inside)) != std::string::npos, c.insideNamed) << run.out;
        EXPECT_EQ(run.out.find(tree.Path(outside)), std::string::npos) << run.out;
        EXPECT_EQ(run.exitCode, c.insideNamed ? 1 : 0);
    }
    // A date folder is taken alone and then by the range; a file by name as it is.
    const ToolRun run = Run({"check", "--from", "2024/01/01 11:00:02", tree.Path("rec/24010111"),
                             tree.Path("rec/24010110"), tree.Path("loose.jpg")});
    EXPECT_EQ(Counts(run.out), "3 frames, 0 refused") << run.out;
}

TEST_F(CheckTest, FilesTheScanDoesNotTakeAreNotChecked) {
    Frames("24010110", 10, 2);
    tree.WriteFile("24010110/" + FrameName(10, 5, 0), Bytes(545, 0x11));  // not a frame file
    tree.WriteFile("24010110/CAM1100.JPG", Frame(32, 16));  // 11 characters: too short
    tree.WriteFile(FrameName(9, 0, 0), Frame(32, 16));      // in the root
    const ToolRun run = Run({"check", tree.Root()});
    EXPECT_EQ(Counts(run.out), "2 frames, 0 refused") << run.out;
    EXPECT_EQ(run.exitCode, 0);
}

TEST_F(CheckTest, APathThatCannotBeScannedGivesExitCode1) {
    const ToolRun run = Run({"check", tree.Path("missing/")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("missing/: refused: unreadable"), std::string::npos) << run.out;
}

TEST_F(CheckTest, TenThousandFramesOfAGeneratedRecording) {
    const RecordingOptions options{.output = tree.Path("rec"),
                                   .folders = 4,
                                   .seconds = 250,
                                   .rate = 10,
                                   .width = 32,
                                   .height = 16};
    RecordingSummary summary;
    std::string error;
    ASSERT_TRUE(WriteRecording(options, summary, error)) << error;
    ASSERT_EQ(summary.frames, 10000);
    // Three refused frames: in the first folder, in the middle of one, the last of all.
    const std::string damaged[] = {
        RecordingFolderName(options, 0) + "/" + RecordingFrameName("CAM1", 9 * 360000),
        RecordingFolderName(options, 2) + "/" + RecordingFrameName("CAM1", 11 * 360000 + 12340),
        RecordingFolderName(options, 3) + "/" + RecordingFrameName("CAM1", 12 * 360000 + 24990)};
    for (const std::string& frame : damaged) {
        const std::string path = tree.Path("rec/" + frame);
        ASSERT_FALSE(ReadBytes(path).empty()) << path;
        tree.WriteFile("rec/" + frame, WithBadEndMarker(ReadBytes(path)));
    }
    const ToolRun run = Run({"check", tree.Path("rec")});
    EXPECT_EQ(Counts(run.out), "10000 frames, 3 refused") << run.out.substr(0, 2000);
    for (const std::string& frame : damaged) {
        EXPECT_NE(run.out.find(tree.Path("rec/" + frame) + ": refused: bad end marker\n"),
                  std::string::npos)
            << frame;
    }
    EXPECT_EQ(run.exitCode, 1);
}

}  // namespace
}  // namespace orvik::test
