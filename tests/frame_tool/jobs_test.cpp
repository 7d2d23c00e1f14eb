// --jobs: check, decode and jpeg print, write and exit the same with one thread as with
// several, across refused frames, size changes, output names taken twice and frames
// without a capture time.
#include <filesystem>
#include <map>

#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

class JobsTest : public FrameToolTest {
  protected:
    // A date folder of frames of two sizes, two of them damaged, one more frame of the same
    // name elsewhere, a frame without a capture time in its name and a missing one.
    JobsTest() {
        for (int i = 0; i < 12; ++i) {
            const std::string name = "rec/24010110/" + FrameName(10, 0, i);
            const Bytes frame = i < 6 ? Frame(32, 16, static_cast<std::uint32_t>(i))
                                      : Frame(64, 48, static_cast<std::uint32_t>(i), 90);
            tree.WriteFile(name, i == 3   ? WithBadEndMarker(frame)
                                 : i == 8 ? Bytes(frame.begin(), frame.begin() + 600)
                                          : frame);
            frames.push_back(tree.Path(name));
        }
        tree.WriteFile("again/" + FrameName(10, 0, 5), Frame(16, 16));
        tree.WriteFile("loose.jpg", Frame(32, 32));
        frames.push_back(tree.Path("again/" + FrameName(10, 0, 5)));
        frames.push_back(tree.Path("loose.jpg"));
        frames.push_back(tree.Path("missing.jpg"));
    }

    // The run with --jobs jobs before the other arguments.
    ToolRun RunWithJobs(const std::string& command, const std::string& jobs,
                        std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {command, "--jobs", jobs});
        return Run(arguments);
    }

    // Every file of a folder by name, with its bytes.
    std::map<std::string, Bytes> Outputs(const std::string& folder) const {
        std::map<std::string, Bytes> outputs;
        for (const auto& entry : std::filesystem::directory_iterator(tree.Path(folder))) {
            outputs[entry.path().filename().string()] = ReadBytes(entry.path().string());
        }
        return outputs;
    }

    std::vector<std::string> frames;
};

// The summary line without its time and rate, which differ from run to run.
std::string WithoutTimes(const std::string& out) {
    const std::size_t lineStart = out.rfind('\n', out.size() >= 2 ? out.size() - 2 : 0);
    const std::size_t countsEnd =
        out.find(" refused, ", lineStart == std::string::npos ? 0 : lineStart);
    return out.substr(0, countsEnd);
}

TEST_F(JobsTest, CheckPrintsTheSameForEveryNumberOfJobs) {
    const std::vector<std::string> inputs = {tree.Path("rec"), tree.Path("loose.jpg"),
                                             tree.Path("missing.jpg")};
    const ToolRun one = RunWithJobs("check", "1", inputs);
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_NE(one.out.find(frames[3] + ": refused: bad end marker\n"), std::string::npos);
    EXPECT_TRUE(one.out.ends_with(" frames/s\n")) << one.out;
    for (const char* jobs : {"2", "3", "64"}) {
        const ToolRun many = RunWithJobs("check", jobs, inputs);
        EXPECT_EQ(many.exitCode, one.exitCode) << jobs;
        EXPECT_EQ(WithoutTimes(many.out), WithoutTimes(one.out)) << jobs;
        EXPECT_EQ(many.err, one.err) << jobs;
    }
}

TEST_F(JobsTest, DecodeAndJpegWriteTheSameForEveryNumberOfJobs) {
    for (const auto& [command, format] :
         {std::pair<std::string, std::vector<std::string>>{"decode", {"--format", "png"}},
          {"decode", {"--format", "yuv"}},
          {"jpeg", {}}}) {
        std::vector<std::string> arguments = format;
        arguments.insert(arguments.end(), {"-o", tree.Path("one")});
        arguments.insert(arguments.end(), frames.begin(), frames.end());
        const ToolRun one = RunWithJobs(command, "1", arguments);
        EXPECT_EQ(one.exitCode, 1) << command;
        EXPECT_NE(one.err.find("already written"), std::string::npos) << one.err;
        const std::map<std::string, Bytes> oneOutputs = Outputs("one");
        EXPECT_EQ(oneOutputs.size(), 11u) << command;

        arguments[format.size() + 1] = tree.Path("three");
        const ToolRun three = RunWithJobs(command, "3", arguments);
        EXPECT_EQ(three.exitCode, one.exitCode) << command;
        EXPECT_EQ(three.out, one.out) << command;
        EXPECT_EQ(three.err, one.err) << command;
        EXPECT_EQ(Outputs("three"), oneOutputs) << command;
        std::filesystem::remove_all(tree.Path("one"));
        std::filesystem::remove_all(tree.Path("three"));
    }
}

TEST_F(JobsTest, OneFrameToStandardOutputIsTheSameWithSeveralJobs) {
    const std::vector<std::string> arguments = {"--format", "bgr", "-o", "-", frames[7]};
    const ToolRun one = RunWithJobs("decode", "1", arguments);
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.out.size(), 64u * 48 * 3);
    EXPECT_EQ(RunWithJobs("decode", "4", arguments).out, one.out);
}

}  // namespace
}  // namespace orvik::test
