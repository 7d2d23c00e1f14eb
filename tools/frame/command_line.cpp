#include "tools/frame/command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "tools/frame/option_table.h"

namespace orvik {
namespace {

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

Status Refused(std::string why) {
    return Status::Failure(std::move(why));
}

// Takes one option word (and the next word, when it carries the option's value) into
// options; i moves past what was taken.
Status TakeOption(const CommandRule& command, const std::vector<std::string>& words, std::size_t& i,
                  Options& options) {
    // --name=value or --name value (and -o value).
    const std::string& word = words[i];
    std::string name = word;
    std::optional<std::string> value;
    if (const std::size_t equals = word.find('='); equals != std::string::npos) {
        name = word.substr(0, equals);
        value = word.substr(equals + 1);
    }
    const OptionRule* option = OptionNamed(name);
    if (option == nullptr) {
        return Refused("unknown option " + name);
    }
    if (!Takes(*option, command.command)) {
        return Refused("option " + name + " does not apply to " + command.name);
    }
    if (option->valueName == nullptr) {
        return value ? Refused("option " + name + " takes no value")
                     : option->take(name, {}, options);
    }
    if (!value) {
        if (i + 1 == words.size()) {
            return Refused("option " + name + " needs a value");
        }
        value = words[++i];
    }
    return option->take(name, *value, options);
}

// What the subcommand asks of the whole line, once every word is taken.
Status CheckWhole(const CommandRule& command, const Options& options) {
    const OptionRule* output = OptionNamed("-o");
    if (Takes(*output, command.command) && options.output.empty()) {
        return Refused(std::string(command.name) + " needs -o OUT");  // takes it, then needs it
    }
    if (options.inputs.empty()) {
        return Refused(std::string(command.name) + " needs a " + command.inputName);
    }
    if (command.exactlyOneInput && options.inputs.size() != 1) {
        return Refused(std::string(command.name) + " takes exactly one " + command.inputName);
    }
    if (options.from && options.to && *options.from > *options.to) {
        return Refused("--from comes after --to");
    }
    return Status();
}

// The words after the subcommand: its options and its inputs.
Result<Options> ParseWords(const CommandRule& command, const std::vector<std::string>& words) {
    Options options;
    options.command = command.command;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            options.inputs.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (Status taken = TakeOption(command, words, i, options); !taken.Ok()) {
            return taken;
        }
    }
    if (Status whole = CheckWhole(command, options); !whole.Ok()) {
        return whole;
    }
    return options;
}

// Options answered before any subcommand: --help (or -h, or the word help first) and
// --version, wherever they stand before "--".
std::optional<Command> InformationAsked(const std::vector<std::string>& arguments) {
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    const auto help = [](const std::string& word) { return word == "--help" || word == "-h"; };
    if ((!arguments.empty() && arguments.front() == "help") ||
        std::any_of(arguments.begin(), optionsEnd, help)) {
        return Command::kHelp;
    }
    if (std::find(arguments.begin(), optionsEnd, "--version") != optionsEnd) {
        return Command::kVersion;
    }
    return std::nullopt;
}

}  // namespace

Result<Options> ParseCommandLine(const std::vector<std::string>& arguments) {
    if (const std::optional<Command> information = InformationAsked(arguments)) {
        Options options;
        options.command = *information;
        return options;
    }
    if (arguments.empty()) {
        return Refused("no subcommand given");
    }
    const CommandRule* command = CommandNamed(arguments.front());
    if (command == nullptr) {
        return Refused("unknown subcommand " + arguments.front());
    }
    return ParseWords(*command, {arguments.begin() + 1, arguments.end()});
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

int ReportUsageError(const std::string& error) {
    std::fprintf(stderr, "orvik-frame: %s\nTry orvik-frame --help.\n", error.c_str());
    return kExitUsage;
}

int RunCommandLine(int argc, char** argv, const std::function<int(const Options&)>& run) {
    const Result<Options> parsed =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    return parsed.Ok() ? run(*parsed) : ReportUsageError(parsed.Why());
}

}  // namespace orvik
