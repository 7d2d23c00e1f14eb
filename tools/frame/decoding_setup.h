// The decoder options that the subcommands share: the adjustments given on the command
// line, or else the user's stored colour settings, as the viewer reads them at start; and
// the number of threads that decode.
#pragma once

#include "colour/colour_matrix.h"
#include "tools/frame/command_line.h"

namespace orvik {

PictureAdjustments AdjustmentsToUse(const Options& options);
// --jobs, or else one for each processor.
int JobsToUse(const Options& options);

}  // namespace orvik
