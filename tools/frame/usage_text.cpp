// The text --help prints, made from the rows of the subcommands and the options: each
// option's name and value, then its help lines in a column of their own.
#include <string>
#include <string_view>

#include "tools/frame/command_line.h"
#include "tools/frame/option_table.h"

namespace orvik {
namespace {

constexpr std::size_t kCommandHelpColumn = 10;
constexpr std::size_t kOptionHelpColumn = 26;

// heading, then the help's lines, the first beside the heading when there is room for it
// (one blank at least), each line after it in the column.
std::string Entry(const std::string& heading, std::string_view help, std::size_t column) {
    std::string text = heading;
    if (text.size() < column) {
        text.append(column - text.size(), ' ');
    } else {
        text += "\n" + std::string(column, ' ');
    }
    for (const char c : help) {
        text += c;
        if (c == '\n') {
            text.append(column, ' ');
        }
    }
    return text + "\n";
}

std::string Heading(const OptionRule& option) {
    std::string heading = std::string("  ") + option.name;
    if (option.valueName != nullptr) {
        heading += std::string(" ") + option.valueName;
    }
    return heading;
}

}  // namespace

std::string UsageText() {
    std::string text;
    for (const CommandRule& command : CommandRules()) {
        text += text.empty() ? "Usage: " : "  or:  ";
        text += std::string("orvik-frame ") + command.name + " " + command.synopsis + "\n";
    }
    text +=
        "Looks at the frames of a recording with the viewer's own scan, frame checks and "
        "decoder.\n\nCommands:\n";
    for (const CommandRule& command : CommandRules()) {
        text += Entry(std::string("  ") + command.name, command.help, kCommandHelpColumn);
    }
    text += "\nOptions:\n";
    for (const OptionRule& option : OptionRules()) {
        text += Entry(Heading(option), option.help, kOptionHelpColumn);
    }
    // Answered before any subcommand is looked at (ParseCommandLine), so no row parses them.
    text += Entry("  -h, --help", "print this help and end", kOptionHelpColumn);
    text += Entry("      --version", "print the version and end", kOptionHelpColumn);
    return text +
           "\nExit status: 0 all well, 1 some input was refused (or the export was interrupted),\n"
           "2 usage error (or an export range without frames).\n";
}

}  // namespace orvik
