// orvik-frame's subcommands and options, one row each. The command line is parsed from these
// rows and the usage text made from them, so that a subcommand or an option is added, and
// said in --help, in one place.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "tools/frame/command_line.h"

namespace orvik {

struct CommandRule {
    const char* name;
    Command command;
    bool exactlyOneInput;
    const char* inputName;  // what an input is: PATH or FRAME
    const char* synopsis;   // the usage line's words after the name
    const char* help;       // its lines in the usage, '\n' between them
};

// A set of subcommands, one bit each.
using CommandSet = unsigned;
constexpr CommandSet In(Command command) {
    return 1u << static_cast<unsigned>(command);
}

struct OptionRule {
    const char* name;       // "-o", "--format", ...
    const char* valueName;  // shown after the name in the usage; none: it takes no value
    CommandSet commands;    // the subcommands that take it
    // Takes the option's value (empty for one that takes none) into options.
    Status (*take)(std::string_view name, const std::string& value, Options& options);
    const char* help;  // its lines in the usage, '\n' between them
};

std::span<const CommandRule> CommandRules();
std::span<const OptionRule> OptionRules();

// The row of a name; none for a name no row has.
const CommandRule* CommandNamed(std::string_view name);
const OptionRule* OptionNamed(std::string_view name);

constexpr bool Takes(const OptionRule& option, Command command) {
    return (option.commands & In(command)) != 0;
}

}  // namespace orvik
