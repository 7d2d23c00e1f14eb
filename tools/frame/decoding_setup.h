// The decoder options that check and decode share: the adjustments given on the command
// line, or else the user's stored colour settings, as the viewer reads them at start.
#pragma once

#include "colour/colour_matrix.h"
#include "tools/frame/command_line.h"

namespace orvik {

PictureAdjustments AdjustmentsToUse(const Options& options);

}  // namespace orvik
