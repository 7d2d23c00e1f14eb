// orvik-frame's option table: every option taken by exactly the subcommands its row names,
// its value landing in its own field, the usage text saying each option where it belongs
// and naming the subcommands that take it, and the bash completion offering the same.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/frame/option_table.h"

namespace orvik {
namespace {

// A well-formed value of each option that takes one.
const std::map<std::string, std::string> kSampleValues = {
    {"-o", "out.png"},
    {"--format", "bmp"},
    {"--adjust", "1,2,3,4"},
    {"--variant", "scalar"},
    {"--from", "2024/01/01 00:00:00"},
    {"--to", "2024/01/01 00:00:01"},
    {"--codec", "h264"},
    {"--crf", "30"},
    {"--speed", "2"},
    {"--jobs", "3"},
    {"--threshold", "2.5"},
    {"--region", "0,8,64,48"},
};
// Where a subcommand takes other values of an option: "subcommand option".
const std::map<std::string, std::string> kCommandSampleValues = {
    {"list --format", "json"},
    {"check --format", "json"},
    {"activity --format", "json"},
};

// The command line of one subcommand with one option, and the output and input that make
// it whole.
std::vector<std::string> LineWith(const CommandRule& command, const OptionRule& option) {
    std::vector<std::string> words = {command.name, option.name};
    if (option.valueName != nullptr) {
        const auto own = kCommandSampleValues.find(std::string(command.name) + " " + option.name);
        const auto sample = kSampleValues.find(option.name);
        words.push_back(own != kCommandSampleValues.end() ? own->second
                        : sample != kSampleValues.end()   ? sample->second
                                                          : "");
    }
    if (std::string(option.name) != "-o" && Takes(*OptionNamed("-o"), command.command)) {
        words.insert(words.end(), {"-o", "out.png"});
    }
    words.push_back("in");
    return words;
}

TEST(OptionTable, EachOptionIsTakenByTheSubcommandsOfItsRowAndRefusedByTheOthers) {
    for (const OptionRule& option : OptionRules()) {
        if (option.valueName != nullptr) {
            EXPECT_TRUE(kSampleValues.contains(option.name))
                << "no sample value for " << option.name;
        }
        for (const CommandRule& command : CommandRules()) {
            SCOPED_TRACE(std::string(command.name) + " " + option.name);
            const Result<Options> parsed = ParseCommandLine(LineWith(command, option));
            if (Takes(option, command.command)) {
                EXPECT_TRUE(parsed.Ok()) << parsed.Why();
            } else {
                EXPECT_EQ(parsed.Why(), std::string("option ") + option.name +
                                            " does not apply to " + command.name);
            }
        }
    }
}

TEST(OptionTable, EachValueLandsInItsOwnField) {
    const Result<Options> parsed = ParseCommandLine(
        {"export", "--crf=30", "--speed", "7", "--jobs", "3", "--close-gaps", "--codec", "h264",
         "--adjust", "-1,2,300,4", "--from", "2024/02/29 23:59:59", "--to", "2024/03/01 00:00:01",
         "-o", "clip.mkv", "--", "-rec"});
    ASSERT_TRUE(parsed.Ok()) << parsed.Why();
    EXPECT_EQ(parsed->command, Command::kExport);
    EXPECT_EQ(parsed->crf, 30);
    EXPECT_EQ(parsed->speed, 7);
    EXPECT_EQ(parsed->jobs, 3);
    EXPECT_TRUE(parsed->closeGaps);
    EXPECT_EQ(parsed->codec, "h264");
    ASSERT_TRUE(parsed->adjustments);
    EXPECT_EQ(parsed->adjustments->brightness, -1);
    EXPECT_EQ(parsed->adjustments->hue, 300);
    EXPECT_EQ(parsed->from, (CaptureTime{2024, 2, 29, 23, 59, 59, 0}));
    EXPECT_EQ(parsed->to, (CaptureTime{2024, 3, 1, 0, 0, 1, 99}));  // the whole second
    EXPECT_EQ(parsed->output, "clip.mkv");
    EXPECT_EQ(parsed->inputs, std::vector<std::string>{"-rec"});

    const Result<Options> decode =
        ParseCommandLine({"decode", "--variant=scalar", "--format", "YUV", "-o", "-", "f.jpg"});
    ASSERT_TRUE(decode.Ok()) << decode.Why();
    EXPECT_EQ(decode->variant, DecoderVariant::kScalar);
    EXPECT_EQ(decode->format, OutputFormat::kYuv);
    EXPECT_EQ(decode->jobs, std::nullopt);
    EXPECT_EQ(decode->crf, 23);
    EXPECT_FALSE(decode->jsonLines);

    // --format names what is printed for list and check, a picture format for decode.
    struct FormatCase {
        std::vector<std::string> line;
        std::string why;  // empty: taken
        bool jsonLines;
    };
    const FormatCase formats[] = {
        {{"list", "--format", "json", "r"}, "", true},
        {{"check", "--format=text", "r"}, "", false},
        {{"check", "--format", "png", "r"}, "unknown format png (text or json)", false},
        {{"list", "--format", "JSON", "r"}, "unknown format JSON (text or json)", false},
        {{"decode", "--format", "json", "-o", "x", "f"},
         "unknown format json (png, bmp, ppm, bgr or yuv)",
         false},
    };
    for (const FormatCase& c : formats) {
        const Result<Options> parsed = ParseCommandLine(c.line);
        EXPECT_EQ(parsed.Why(), c.why) << c.line[0];
        if (parsed.Ok()) {
            EXPECT_EQ(parsed->jsonLines, c.jsonLines) << c.line[0];
            EXPECT_EQ(parsed->format, std::nullopt) << c.line[0];
        }
    }

    const Result<Options> activity = ParseCommandLine(
        {"activity", "--threshold", "12.05", "--region=1,2,30,40", "--format", "json", "rec"});
    ASSERT_TRUE(activity.Ok()) << activity.Why();
    EXPECT_EQ(activity->threshold, 1205);
    EXPECT_EQ(activity->region, (PixelRegion{1, 2, 30, 40}));
    EXPECT_TRUE(activity->jsonLines);
    const Result<Options> defaults = ParseCommandLine({"activity", "--threshold=7", "rec"});
    ASSERT_TRUE(defaults.Ok()) << defaults.Why();
    EXPECT_EQ(defaults->threshold, 700);
    EXPECT_EQ(defaults->region, std::nullopt);
    EXPECT_FALSE(defaults->jsonLines);
}

// The subcommands an option's help names in parentheses: "(check, decode)".
std::set<std::string> NamedInParentheses(const std::string& help) {
    std::set<std::string> names;
    for (std::size_t open = help.find('('); open != std::string::npos;
         open = help.find('(', open + 1)) {
        const std::string inside = help.substr(open + 1, help.find(')', open) - open - 1);
        for (const CommandRule& command : CommandRules()) {
            for (std::size_t at = inside.find(command.name); at != std::string::npos;
                 at = inside.find(command.name, at + 1)) {
                const std::size_t end = at + std::string(command.name).size();
                if ((at == 0 || inside[at - 1] == ' ') &&
                    (end == inside.size() || inside[end] == ',')) {
                    names.insert(command.name);
                }
            }
        }
    }
    return names;
}

TEST(OptionTable, TheUsageNamesTheSubcommandsThatTakeEachOption) {
    const std::string usage = UsageText();
    for (const OptionRule& option : OptionRules()) {
        SCOPED_TRACE(option.name);
        std::set<std::string> takers;
        for (const CommandRule& command : CommandRules()) {
            if (Takes(option, command.command)) {
                takers.insert(command.name);
            }
        }
        EXPECT_EQ(NamedInParentheses(option.help), takers);
        std::string heading = std::string("\n  ") + option.name;
        if (option.valueName != nullptr) {
            heading += std::string(" ") + option.valueName;
        }
        // Its help beside it, or on the lines below.
        EXPECT_TRUE(usage.find(heading + " ") != std::string::npos ||
                    usage.find(heading + "\n") != std::string::npos);
    }
    for (const CommandRule& command : CommandRules()) {
        EXPECT_NE(
            usage.find(std::string("orvik-frame ") + command.name + " " + command.synopsis + "\n"),
            std::string::npos)
            << command.name;
    }
}

TEST(OptionTable, HelpLinesStandInTheirColumn) {
    const std::string usage = UsageText();
    for (const char* lines : {
             "Usage: orvik-frame info FRAME...\n  or:  orvik-frame list [OPTION]... PATH\n",
             "\n  info    one line per FRAME file: size, picture size, the first entry of each\n"
             "          quantisation table, and ok or refused: REASON\n  list    the date",
             "\n  -o OUT                  with one FRAME the output file (\"-\" for standard\n"
             "                          output); with several a folder, each output named\n",
             // A heading that leaves one blank before the column.
             "\n  --variant packed|scalar the decoder's variant; by default the processor's\n",
             // One too long for it: the help starts on a line of its own.
             "\n  --from \"YYYY/MM/DD HH:MM:SS[.CC]\"\n"
             "                          the first capture time taken, included; by default\n",
             "\n  --close-gaps            shortens pauses longer than 2 s to the recording's\n"
             "                          pace (export)\n",
             "\n  -h, --help              print this help and end\n"
             "      --version           print the version and end\n\nExit status: ",
         }) {
        EXPECT_NE(usage.find(lines), std::string::npos) << lines;
    }
}

// The completion offers each subcommand the options it takes, from a case line such as
//     check) options+=" --adjust --variant --jobs" ;;
TEST(OptionTable, TheBashCompletionOffersEachSubcommandItsOptions) {
    std::ifstream completion(ORVIK_FRAME_COMPLETION);
    ASSERT_TRUE(completion) << ORVIK_FRAME_COMPLETION;
    std::map<std::string, std::set<std::string>> offered;
    constexpr std::string_view kAdds = ") options+=\"";
    for (std::string line; std::getline(completion, line);) {
        const std::size_t adds = line.find(kAdds);
        const std::size_t first = line.find_first_not_of(' ');
        if (adds == std::string::npos || first >= adds) {
            continue;
        }
        const std::size_t from = adds + kAdds.size();
        std::istringstream names(line.substr(from, line.find('"', from) - from));
        for (std::string name; names >> name;) {
            offered[line.substr(first, adds - first)].insert(name);
        }
    }
    for (const CommandRule& command : CommandRules()) {
        std::set<std::string> taken;
        for (const OptionRule& option : OptionRules()) {
            if (Takes(option, command.command)) {
                taken.insert(option.name);
            }
        }
        EXPECT_EQ(offered[command.name], taken) << command.name;
    }
}

}  // namespace
}  // namespace orvik
