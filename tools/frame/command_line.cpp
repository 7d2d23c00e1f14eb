#include "tools/frame/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
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
    bool exactlyOneInput;
};

constexpr std::array<CommandRules, 5> kCommands = {{
    {"info", Command::kInfo, false, false, false, false},
    {"list", Command::kList, false, false, false, true},
    {"check", Command::kCheck, false, false, true, false},
    {"decode", Command::kDecode, true, true, true, false},
    {"jpeg", Command::kJpeg, true, false, false, false},
}};

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

std::optional<DecoderVariant> ParseVariant(std::string_view text) {
    for (const DecoderVariant variant : kDecoderVariants) {
        if (text == VariantName(variant)) {
            return variant;
        }
    }
    return std::nullopt;
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
        const bool known =
            name == "-o" || name == "--format" || name == "--adjust" || name == "--variant";
        if (!known) {
            return "unknown option " + name;
        }
        const bool allowed = name == "-o"         ? rules.takesOutput
                             : name == "--format" ? rules.takesFormat
                                                  : rules.takesDecoding;
        if (!allowed) {
            return std::string("option ") + name + " does not apply to " + rules.name;
        }
        if (!value) {
            if (i + 1 == words.size()) {
                return "option " + name + " needs a value";
            }
            value = words[++i];
        }
        if (name == "-o") {
            if (value->empty()) {
                return "option -o needs a value";
            }
            options.output = *value;
        } else if (name == "--format") {
            options.format = FormatNamed(*value);
            if (!options.format) {
                return "unknown format " + *value + " (png, bmp, ppm, bgr or yuv)";
            }
        } else if (name == "--adjust") {
            options.adjustments = ParseAdjustments(*value);
            if (!options.adjustments) {
                return "--adjust takes four whole numbers B,C,H,S, not " + *value;
            }
        } else {
            options.variant = ParseVariant(*value);
            if (!options.variant) {
                return "--variant takes packed or scalar, not " + *value;
            }
        }
    }
    if (rules.takesOutput && options.output.empty()) {
        return std::string(rules.name) + " needs -o OUT";
    }
    if (options.inputs.empty()) {
        return std::string(rules.name) + " needs " + (rules.takesOutput ? "a FRAME" : "a PATH");
    }
    if (rules.exactlyOneInput && options.inputs.size() != 1) {
        return std::string(rules.name) + " takes exactly one PATH";
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
    return R"(orvik-frame: looks at the frames of a recording with the viewer's own scan and decoder.

Usage:
  orvik-frame info FRAME...
      One line per file: size, picture size, the first entry of each quantisation
      table, and ok or refused: REASON.
  orvik-frame list PATH
      The date folders of the recording at PATH (a root or a date folder) in the viewer's
      order: name, date, first and last frame time, frame count and the gaps longer than
      10 s; * marks the folder the viewer would show first.
  orvik-frame check [--adjust B,C,H,S] [--variant packed|scalar] PATH...
      Decodes every frame of each PATH (a frame file, a date folder or a root) and prints
      the refused ones, then the counts and the speed.
  orvik-frame decode [--adjust B,C,H,S] [--variant packed|scalar]
                     [--format png|bmp|ppm|bgr|yuv] -o OUT FRAME...
      png, bmp, ppm: the picture as the viewer shows it, upright. bgr: the picture buffer
      as the decoder writes it (bottom row first). yuv: the Y, U and V planes.
      The format comes from OUT's extension unless --format is given.
  orvik-frame jpeg -o OUT FRAME...
      Rewraps each frame losslessly as a standard JPEG file carrying its capture time.

With one FRAME, OUT is the output file ("-" for standard output); with several, OUT is a
folder and each output is named after its frame. --adjust defaults to the stored colour
settings; --variant defaults to the processor's choice.

Exit codes: 0 all well, 1 some input was refused, 2 usage error.
)";
}

}  // namespace orvik
