// orvik-frame-export: orvik-frame's export subcommand, which orvik-frame hands its whole
// command line to. It takes the same command line, so it parses it the same way.
#include "tools/frame/command_line.h"
#include "tools/frame/commands.h"

int main(int argc, char** argv) {
    using namespace orvik;
    return RunCommandLine(argc, argv, [](const Options& options) {
        return options.command == Command::kExport ? RunExport(options)
                                                   : ReportUsageError("this program only exports");
    });
}
