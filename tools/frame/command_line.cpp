#include "tools/frame/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace orvik {
namespace {

// What each subcommand takes.
struct CommandRules {
    const char* name;
    Command command;
    bool takesOutput;    // -o, and then requires it
    bool takesFormat;    // --format
    bool takesDecoding;  // --adjust and --variant
    bool takesExport;    // --adjust and the clip's options
    bool takesJobs;      // --jobs
    bool exactlyOneInput;
    const char* inputName;
};

constexpr std::array<CommandRules, 6> kCommands = {{
    {"info", Command::kInfo, false, false, false, false, false, false, "PATH"},
    {"list", Command::kList, false, false, false, false, false, true, "PATH"},
    {"check", Command::kCheck, false, false, true, false, true, false, "PATH"},
    {"decode", Command::kDecode, true, true, true, false, true, false, "FRAME"},
    {"jpeg", Command::kJpeg, true, false, false, false, true, false, "FRAME"},
    {"export", Command::kExport, true, false, false, true, true, true, "PATH"},
}};

constexpr std::array<const char*, 11> kOptionNames = {
    "-o",      "--format", "--adjust", "--variant",    "--from", "--to",
    "--codec", "--crf",    "--speed",  "--close-gaps", "--jobs",
};

// The most threads --jobs asks for: far more than any processor count in use.
constexpr int kMaxJobs = 256;
// A speed beyond this makes a day's recording shorter than a second.
constexpr int kMaxSpeed = 100000;
constexpr int kMaxCrf = 51;

struct FormatName {
    const char* name;
    OutputFormat format;
};

constexpr std::array<FormatName, 5> kFormats = {{
    {"png", OutputFormat::kPng},
    {"bmp", OutputFormat::kBmp},
    {"ppm", OutputFormat::kPpm},
    {"bgr", OutputFormat::kBgr},
    {"yuv", OutputFormat::kYuv},
}};

// "B,C,H,S": four signed 32-bit decimal numbers.
std::optional<PictureAdjustments> ParseAdjustments(std::string_view text) {
    std::int32_t values[4] = {};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || (i < 3 && (next == end || *next != ','))) {
            return std::nullopt;
        }
        at = i < 3 ? next + 1 : next;
    }
    if (at != end) {
        return std::nullopt;
    }
    return PictureAdjustments{values[0], values[1], values[2], values[3]};
}

// A decimal whole number within min..max.
std::optional<int> ParseWholeNumber(std::string_view text, int min, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::optional<DecoderVariant> ParseVariant(std::string_view text) {
    for (const DecoderVariant variant : kDecoderVariants) {
        if (text == VariantName(variant)) {
            return variant;
        }
    }
    return std::nullopt;
}

bool Allowed(const CommandRules& rules, std::string_view name) {
    if (name == "-o") {
        return rules.takesOutput;
    }
    if (name == "--format") {
        return rules.takesFormat;
    }
    if (name == "--variant") {
        return rules.takesDecoding;
    }
    if (name == "--adjust") {
        return rules.takesDecoding || rules.takesExport;
    }
    if (name == "--jobs") {
        return rules.takesJobs;
    }
    return rules.takesExport;
}

// Takes the value of one option into options; returns the error text, empty when the
// value is well formed.
std::string ParseValue(const std::string& name, const std::string& value, Options& options) {
    const auto wholeNumber = [&](int min, int max, int& into) {
        const std::optional<int> number = ParseWholeNumber(value, min, max);
        into = number.value_or(into);
        return number ? std::string()
                      : name + " takes a whole number from " + std::to_string(min) + " to " +
                            std::to_string(max) + ", not " + value;
    };
    const auto captureTime = [&](int defaultHundredths, std::optional<CaptureTime>& into) {
        into = ParseCaptureTime(value, defaultHundredths);
        return into ? std::string()
                    : name + " takes a date and time \"YYYY/MM/DD HH:MM:SS[.CC]\", not " + value;
    };
    if (name == "-o") {
        options.output = value;
        return value.empty() ? "option -o needs a value" : "";
    }
    if (name == "--format") {
        options.format = FormatNamed(value);
        return options.format ? "" : "unknown format " + value + " (png, bmp, ppm, bgr or yuv)";
    }
    if (name == "--adjust") {
        options.adjustments = ParseAdjustments(value);
        return options.adjustments ? "" : "--adjust takes four whole numbers B,C,H,S, not " + value;
    }
    if (name == "--variant") {
        options.variant = ParseVariant(value);
        return options.variant ? "" : "--variant takes packed or scalar, not " + value;
    }
    if (name == "--from") {
        return captureTime(0, options.from);
    }
    if (name == "--to") {
        return captureTime(99, options.to);
    }
    if (name == "--codec") {
        if (value != "copy" && value != "h264") {
            return "--codec takes copy or h264, not " + value;
        }
        options.codec = value;
        return "";
    }
    if (name == "--crf") {
        return wholeNumber(0, kMaxCrf, options.crf);
    }
    if (name == "--speed") {
        return wholeNumber(1, kMaxSpeed, options.speed);
    }
    int jobs = 1;
    std::string error = wholeNumber(1, kMaxJobs, jobs);
    options.jobs = jobs;
    return error;
}

// Parses the words after the subcommand into options; returns the error text, empty when
// every word was understood.
std::string ParseOptions(const CommandRules& rules, const std::vector<std::string>& words,
                         Options& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            options.inputs.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        // --name=value or --name value (and -o value).
        std::string name = word;
        std::optional<std::string> value;
        if (const std::size_t equals = word.find('='); equals != std::string::npos) {
            name = word.substr(0, equals);
            value = word.substr(equals + 1);
        }
        if (std::find(kOptionNames.begin(), kOptionNames.end(), name) == kOptionNames.end()) {
            return "unknown option " + name;
        }
        if (!Allowed(rules, name)) {
            return std::string("option ") + name + " does not apply to " + rules.name;
        }
        if (name == "--close-gaps") {
            options.closeGaps = true;
            if (value) {
                return "option --close-gaps takes no value";
            }
            continue;
        }
        if (!value) {
            if (i + 1 == words.size()) {
                return "option " + name + " needs a value";
            }
            value = words[++i];
        }
        if (std::string error = ParseValue(name, *value, options); !error.empty()) {
            return error;
        }
    }
    if (rules.takesOutput && options.output.empty()) {
        return std::string(rules.name) + " needs -o OUT";
    }
    if (options.inputs.empty()) {
        return std::string(rules.name) + " needs a " + rules.inputName;
    }
    if (rules.exactlyOneInput && options.inputs.size() != 1) {
        return std::string(rules.name) + " takes exactly one " + rules.inputName;
    }
    if (options.from && options.to && *options.from > *options.to) {
        return "--from comes after --to";
    }
    return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    const auto helpOption = [](const std::string& word) {
        return word == "--help" || word == "-h";
    };
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    if ((!arguments.empty() && arguments.front() == "help") ||
        std::any_of(arguments.begin(), optionsEnd, helpOption)) {
        parsed.options.command = Command::kHelp;
        return parsed;
    }
    if (std::find(arguments.begin(), optionsEnd, "--version") != optionsEnd) {
        parsed.options.command = Command::kVersion;
        return parsed;
    }
    if (arguments.empty()) {
        parsed.error = "no subcommand given";
        return parsed;
    }
    const auto rules = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const auto& r) { return arguments.front() == r.name; });
    if (rules == kCommands.end()) {
        parsed.error = "unknown subcommand " + arguments.front();
        return parsed;
    }
    parsed.options.command = rules->command;
    parsed.error = ParseOptions(*rules, {arguments.begin() + 1, arguments.end()}, parsed.options);
    return parsed;
}

std::optional<OutputFormat> FormatNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    for (const FormatName& known : kFormats) {
        if (name == known.name) {
            return known.format;
        }
    }
    return std::nullopt;
}

const char* FormatExtension(OutputFormat format) {
    for (const FormatName& known : kFormats) {
        if (known.format == format) {
            return known.name;
        }
    }
    return "";
}

const char* UsageText() {
    return R"(Usage: orvik-frame info FRAME...
  or:  orvik-frame list PATH
  or:  orvik-frame check [OPTION]... PATH...
  or:  orvik-frame decode [OPTION]... -o OUT FRAME...
  or:  orvik-frame jpeg [--jobs N] -o OUT FRAME...
  or:  orvik-frame export [OPTION]... -o OUT PATH
Looks at the frames of a recording with the viewer's own scan, frame checks and decoder.

Commands:
  info    one line per FRAME file: size, picture size, the first entry of each
          quantisation table, and ok or refused: REASON
  list    the date folders of the recording at PATH (a root or a date folder) in
          the viewer's order: name, date, first and last frame time, frame count
          and the gaps longer than 10 s; * marks the folder the viewer shows first
  check   decodes every frame of each PATH (a frame file, a date folder or a
          root) and prints the refused ones, then the counts and the speed
  decode  writes each FRAME as a picture: png, bmp or ppm as the viewer shows it,
          upright; bgr as the decoder writes its picture buffer (bottom row
          first); yuv the Y, U and V planes
  jpeg    rewraps each FRAME losslessly as a standard JPEG file carrying its
          capture time
  export  writes the frames of the recording at PATH (a root, or a date folder
          for its frames alone) captured from --from to --to as one clip in which
          each frame comes at its capture time: copy carries each frame's coded
          data unchanged as MJPEG, h264 encodes the pictures as decode shows them;
          the container is the one OUT's extension names (Matroska when none)

Options:
  -o OUT                  with one FRAME the output file ("-" for standard
                          output); with several a folder, each output named
                          after its frame (decode, jpeg); the clip (export)
  --format FORMAT         png, bmp, ppm, bgr or yuv; by default from OUT's
                          extension (decode)
  --adjust B,C,H,S        brightness, contrast, hue and saturation; by default
                          the stored colour settings (check, decode, export)
  --variant packed|scalar the decoder's variant; by default the processor's
                          choice (check, decode)
  --from "YYYY/MM/DD HH:MM:SS[.CC]"
                          the first capture time taken, included; by default
                          the recording's first frame (export)
  --to "YYYY/MM/DD HH:MM:SS[.CC]"
                          the last capture time taken, included (without .CC
                          the whole second); by default the last frame (export)
  --codec copy|h264       copy by default, h264 for .mp4 (export)
  --crf N                 h264's quality, 0 to 51, default 23 (export)
  --speed N               makes the clip N times faster (export)
  --close-gaps            shortens pauses longer than 2 s to the recording's
                          pace (export)
  --jobs N                decodes on N threads, different frames on different
                          threads; by default one for each processor; what
                          is printed and written is the same for every N
                          (check, decode, jpeg, export)
  -h, --help              print this help and end
      --version           print the version and end

Exit status: 0 all well, 1 some input was refused (or the export was interrupted),
2 usage error (or an export range without frames).
)";
}

int ReportUsageError(const std::string& error) {
    std::fprintf(stderr, "orvik-frame: %s\nTry orvik-frame --help.\n", error.c_str());
    return kExitUsage;
}

}  // namespace orvik
