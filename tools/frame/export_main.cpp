// orvik-frame-export: orvik-frame's export subcommand, which orvik-frame hands its whole
// command line to. It takes the same command line, so it parses it the same way.
#include <string>
#include <vector>

#include "tools/frame/command_line.h"
#include "tools/frame/commands.h"

int main(int argc, char** argv) {
    using namespace orvik;
    const Result<Options> parsed =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Ok()) {
        return ReportUsageError(parsed.Why());
    }
    if (parsed->command != Command::kExport) {
        return ReportUsageError("this program only exports");
    }
    return RunExport(*parsed);
}
