// activity: the events of a recording, one a line in text or JSON, in capture-time order
// across folders and days; its range, its date folder alone, its exit codes, and the same
// lines again from the cache.
#include <dirent.h>

#include <string>
#include <vector>

#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

class ActivityTest : public FrameToolTest {
  protected:
    // Frames a second apart from hour:00:00: the still picture of seed 1, but another
    // picture (seed 2) for the seconds in [from, to).
    void Folder(const std::string& folder, int hour, int count, int from, int to) const {
        for (int i = 0; i < count; ++i) {
            const std::uint32_t seed = i >= from && i < to ? 2 : 1;
            tree.WriteFile(folder + "/" + FrameName(hour, 0, i), Frame(kWidth, kHeight, seed));
        }
    }
    // Two folders on 1 January, an hour apart, and one on 2 January.
    void ThreeFolders() const {
        Folder("24010110", 10, 6, 2, 4);
        Folder("24010111", 11, 6, 4, 5);
        Folder("24010209", 9, 6, 3, 5);
    }
    // The events' lines with their PEAK fields dropped, and whether each PEAK reads as a
    // percent with one place.
    static std::string WithoutPeaks(const std::string& out) {
        std::string lines;
        for (std::size_t at = 0; at < out.size();) {
            const std::size_t end = out.find('\n', at);
            const std::string line = out.substr(at, end - at);
            const std::size_t tab = line.rfind('\t');
            const std::string peak = line.substr(tab + 1);
            const std::size_t point = peak.find('.');
            EXPECT_TRUE(point != std::string::npos && point + 2 == peak.size()) << line;
            lines += line.substr(0, tab) + "\n";
            at = end + 1;
        }
        return lines;
    }
};

TEST_F(ActivityTest, EventsComeInCaptureOrderAcrossFoldersAndDays) {
    ThreeFolders();
    const ToolRun run = Run({"activity", tree.Root()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(WithoutPeaks(run.out),
              "2024/01/01 10:00:02.00\t2024/01/01 10:00:03.00\t2\n"
              "2024/01/01 11:00:04.00\t2024/01/01 11:00:04.00\t1\n"
              "2024/01/02 09:00:03.00\t2024/01/02 09:00:04.00\t2\n");
    EXPECT_TRUE(run.err.starts_with("3 events, 18 frames, 0.00 footage hours, ")) << run.err;
    EXPECT_TRUE(run.err.ends_with(" frames/s, 0 refused\n")) << run.err;

    // Again, from the cache: the same lines.
    DIR* cache = opendir(tree.Path("config/cache/orvik-view/activity").c_str());
    ASSERT_NE(cache, nullptr);
    closedir(cache);
    EXPECT_EQ(Run({"activity", "--jobs", "1", tree.Root()}).out, run.out);
}

TEST_F(ActivityTest, JsonLinesCarryTheSameFields) {
    ThreeFolders();
    const ToolRun text = Run({"activity", tree.Root()});
    const ToolRun json = Run({"activity", "--format", "json", tree.Root()});
    EXPECT_EQ(json.exitCode, 0);
    std::string expected;
    for (std::size_t at = 0; at < text.out.size();) {
        const std::size_t end = text.out.find('\n', at);
        std::vector<std::string> f;
        for (std::size_t from = at; from <= end;) {
            const std::size_t tab = std::min(text.out.find('\t', from), end);
            f.push_back(text.out.substr(from, tab - from));
            from = tab + 1;
        }
        expected += "{\"start\":\"" + f[0] + "\",\"end\":\"" + f[1] + "\",\"frames\":" + f[2] +
                    ",\"peak\":" + f[3] + "}\n";
        at = end + 1;
    }
    EXPECT_EQ(json.out, expected);
}

TEST_F(ActivityTest, ARangeOrADateFolderLimitsTheEvents) {
    ThreeFolders();
    const struct {
        std::vector<std::string> arguments;
        std::string starts;  // the events' START fields, one a line
    } cases[] = {
        {{"--from", "2024/01/01 10:00:03"}, "10:00:03.00 11:00:04.00 09:00:03.00"},
        {{"--to", "2024/01/01 23:59:59"}, "10:00:02.00 11:00:04.00"},
        {{"--threshold", "100"}, ""},
        {{tree.Path("24010111")}, "11:00:04.00"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"activity"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        if (c.arguments.size() != 1) {
            arguments.push_back(tree.Root());
        }
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::string starts;
        for (std::size_t at = 0; at < run.out.size(); at = run.out.find('\n', at) + 1) {
            starts += (starts.empty() ? "" : " ") + run.out.substr(at + 11, 11);
        }
        EXPECT_EQ(starts, c.starts) << c.arguments.front();
    }
}

TEST_F(ActivityTest, ARefusedFrameIsCountedAndGivesExitCode1) {
    Folder("24010110", 10, 6, 2, 5);
    const std::string bad = "24010110/" + FrameName(10, 0, 3);
    tree.WriteFile(bad, WithBadEndMarker(ReadBytes(tree.Path(bad))));
    const ToolRun run = Run({"activity", tree.Root()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(WithoutPeaks(run.out), "2024/01/01 10:00:02.00\t2024/01/01 10:00:04.00\t2\n");
    EXPECT_TRUE(run.err.ends_with(" frames/s, 1 refused\n")) << run.err;
}

TEST_F(ActivityTest, UsageErrorsGiveExitCode2) {
    Folder("24010110", 10, 2, 0, 0);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"activity"},
             {"activity", tree.Root(), tree.Root()},
             {"activity", "--format", "png", tree.Root()},
             {"activity", "--threshold", "1.234", tree.Root()},
             {"activity", "--threshold", "-1", tree.Root()},
             {"activity", "--region", "1,2,3", tree.Root()},
             {"activity", "--region", "0,0,0,10", tree.Root()},
             {"activity", "--variant", "packed", tree.Root()},
         }) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments[1];
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(Run({"activity", tree.Path("nowhere")}).exitCode, 1);
}

}  // namespace
}  // namespace orvik::test
