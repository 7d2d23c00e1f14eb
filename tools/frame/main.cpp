// orvik-frame: the frame command-line tool. It reads recordings with the viewer's own scan,
// frame checks and decoder; see UsageText for what each subcommand does.
#include <cstdio>

#include "orvik_version.h"
#include "tools/frame/command_line.h"
#include "tools/frame/commands.h"

int main(int argc, char** argv) {
    using namespace orvik;
    return RunCommandLine(argc, argv, [argv](const Options& options) {
        switch (options.command) {
            case Command::kHelp:
                std::fputs(UsageText().c_str(), stdout);
                return kExitAllWell;
            case Command::kVersion:
                std::printf("orvik-frame %s\n", kVersion);
                return kExitAllWell;
            case Command::kInfo:
                return RunInfo(options);
            case Command::kList:
                return RunList(options);
            case Command::kCheck:
                return RunCheck(options);
            case Command::kDecode:
                return RunDecode(options);
            case Command::kJpeg:
                return RunJpeg(options);
            case Command::kExport:
                return LaunchExport(argv);
            case Command::kActivity:
                return RunActivity(options);
        }
        return kExitUsage;
    });
}
