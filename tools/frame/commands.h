// The subcommands of orvik-frame, one file each. Each returns the tool's exit code.
#pragma once

#include "tools/frame/command_line.h"

namespace orvik {

int RunInfo(const Options& options);
int RunList(const Options& options);
int RunCheck(const Options& options);
int RunDecode(const Options& options);
int RunJpeg(const Options& options);
int RunExport(const Options& options);

}  // namespace orvik
