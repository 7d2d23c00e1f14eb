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
int RunActivity(const Options& options);

// Replaces this process with orvik-frame-export, handing it argv; returns only when that
// program cannot be run, with the exit code to end with.
int LaunchExport(char** argv);

}  // namespace orvik
