// The command line: help, and the usage errors every subcommand answers with exit code 2
// before it reads or writes anything.
#include <filesystem>

#include "orvik_version.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

TEST_F(FrameToolTest, HelpGoesToStandardOutputWithExitCode0) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"help"}, {"decode", "--help"}, {"list", "-h"}}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments.back();
        EXPECT_NE(run.out.find("orvik-frame decode"), std::string::npos) << arguments.back();
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(FrameToolTest, VersionGoesToStandardOutputWithExitCode0) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--version"}, {"info", "--version", "missing.jpg"}}) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments.front();
        EXPECT_EQ(run.out, std::string("orvik-frame ") + kVersion + "\n");
        EXPECT_EQ(run.err, "");
    }
    // --help is answered first, whatever else is on the line.
    EXPECT_NE(Run({"--version", "--help"}).out.find("Usage: orvik-frame"), std::string::npos);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;  // part of what standard error says
};

class UsageErrorTest : public FrameToolTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWith2AndWritesNothing) {
    // A real frame, so that a usage error cannot be mistaken for a refused input.
    tree.WriteFile("f.jpg", Frame(32, 16));
    std::vector<std::string> arguments;
    for (const std::string& word : GetParam().arguments) {
        arguments.push_back(word == "FRAME"           ? tree.Path("f.jpg")
                            : word.starts_with("OUT") ? tree.Path(word)
                                                      : word);
    }
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    for (const char* out : {"OUT.png", "OUT.gif", "OUT", "OUT.jpg"}) {
        EXPECT_FALSE(std::filesystem::exists(tree.Path(out))) << out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrorTest,
    ::testing::Values(
        UsageCase{"Nothing", {}, "no subcommand"},
        UsageCase{"UnknownSubcommand", {"show", "FRAME"}, "unknown subcommand show"},
        UsageCase{"UnknownOption", {"info", "--verbose", "FRAME"}, "unknown option --verbose"},
        UsageCase{"NoInput", {"info"}, "needs a PATH"},
        UsageCase{"ListTwoPaths", {"list", "FRAME", "FRAME"}, "exactly one PATH"},
        UsageCase{"DecodeWithoutOut", {"decode", "FRAME"}, "needs -o OUT"},
        UsageCase{"JpegWithoutOut", {"jpeg", "FRAME"}, "needs -o OUT"},
        UsageCase{"OutWithoutValue", {"decode", "FRAME", "-o"}, "needs a value"},
        UsageCase{"ThreeAdjustments",
                  {"decode", "--adjust", "1,2,3", "-o", "OUT.png", "FRAME"},
                  "--adjust takes four"},
        UsageCase{"FiveAdjustments",
                  {"decode", "--adjust=1,2,3,4,5", "-o", "OUT.png", "FRAME"},
                  "--adjust takes four"},
        UsageCase{"AdjustmentBeyond32Bits",
                  {"check", "--adjust", "4294967296,1,1,1", "FRAME"},
                  "--adjust takes four"},
        UsageCase{"AdjustmentNotANumber",
                  {"check", "--adjust", "1,2,x,4", "FRAME"},
                  "--adjust takes four"},
        UsageCase{"UnknownVariant", {"check", "--variant", "simd", "FRAME"}, "packed or scalar"},
        UsageCase{"UnknownFormat",
                  {"decode", "--format", "gif", "-o", "OUT", "FRAME"},
                  "unknown format gif"},
        UsageCase{"FormatFromUnknownExtension", {"decode", "-o", "OUT.gif", "FRAME"}, "no format"},
        UsageCase{"FormatMissingForFolder", {"decode", "-o", "OUT", "FRAME", "FRAME"}, "no format"},
        UsageCase{"StandardOutputForSeveral",
                  {"decode", "--format", "bgr", "-o", "-", "FRAME", "FRAME"},
                  "one FRAME only"},
        UsageCase{
            "OutputFileForSeveral", {"jpeg", "-o", "FRAME", "FRAME", "FRAME"}, "must be a folder"},
        UsageCase{"DecodingOptionForInfo",
                  {"info", "--variant", "scalar", "FRAME"},
                  "--variant does not apply to info"},
        UsageCase{"FormatForJpeg",
                  {"jpeg", "--format", "png", "-o", "OUT.jpg", "FRAME"},
                  "--format does not apply to jpeg"},
        UsageCase{"OutForCheck", {"check", "-o", "OUT", "FRAME"}, "-o does not apply to check"},
        UsageCase{"JobsForList", {"list", "--jobs", "2", "FRAME"}, "--jobs does not apply to list"},
        UsageCase{"JobsZero", {"jpeg", "--jobs=0", "-o", "OUT.jpg", "FRAME"}, "from 1 to 256"},
        UsageCase{"ExportNoRealDate",
                  {"export", "--from", "2023/02/29 10:00:00", "-o", "OUT.mkv", "FRAME"},
                  "--from takes a date and time"},
        UsageCase{"ExportFromAfterTo",
                  {"export", "--from", "2024/03/01 10:00:00", "--to", "2024/03/01 09:59:59", "-o",
                   "OUT.mkv", "FRAME"},
                  "--from comes after --to"},
        UsageCase{"ExportUnknownCodec",
                  {"export", "--codec", "vp9", "-o", "OUT.mkv", "FRAME"},
                  "copy or h264"},
        UsageCase{"ExportCrfOutOfRange",
                  {"export", "--crf", "52", "-o", "OUT.mp4", "FRAME"},
                  "from 0 to 51"},
        UsageCase{
            "ExportSpeedZero", {"export", "--speed", "0", "-o", "OUT.mkv", "FRAME"}, "from 1"},
        UsageCase{"ExportGapsWithValue",
                  {"export", "--close-gaps=yes", "-o", "OUT.mkv", "FRAME"},
                  "takes no value"},
        UsageCase{
            "ExportTwoPaths", {"export", "-o", "OUT.mkv", "FRAME", "FRAME"}, "exactly one PATH"},
        UsageCase{"ExportVariant",
                  {"export", "--variant", "table", "-o", "OUT.mkv", "FRAME"},
                  "--variant does not apply to export"},
        UsageCase{"ExportContainerWithoutTheCodec",
                  {"export", "-o", "OUT.webm", "FRAME"},
                  "cannot hold"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameToolTest, WordsAfterDoubleDashAreInputs) {
    for (const std::string name : {"--help", "--version"}) {
        tree.WriteFile(name, Frame(32, 16));
        const ToolRun run = RunInRoot({"info", "--", name});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(run.out.starts_with(name + ": ")) << run.out;
        EXPECT_TRUE(run.out.ends_with(" ok\n")) << run.out;
    }
}

}  // namespace
}  // namespace orvik::test
