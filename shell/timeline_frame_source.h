// Where the Timeline's hover pictures come from: the frame files of the recording the Player
// has open, named from the clip library's records on the window's thread. The worker that
// decodes them gets only a path and the viewer's way of decoding, never the library.
#pragma once

#include "shell/timeline_preview.h"

namespace orvik {

class Player;

// The frame at a Timeline position, decoded as the viewer decodes it (its decoder variant
// and the four picture adjustments). None while another library operation is in progress
// or a recording is being read, and none when the library's frame at that position is not
// the one the Timeline means (its capture time differs: the library holds another
// recording). The player must outlive the source.
FrameFileSource LibraryFrameSource(const Player& player);

}  // namespace orvik
