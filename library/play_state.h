// The navigation and playback mode of the viewer. The clip library reads Stopped,
// SteppedForward, SteppedBackward and BackwardFolderEnd and writes only Stopped and
// AtListEnd; the values are passed by reference as int32_t.
#pragma once

#include <cstdint>

namespace orvik {

enum PlayState : std::int32_t {
    Stopped = 0,
    AtListEnd,
    Paused,
    PlayingForward,
    PlayingBackward,
    Resuming,
    SteppedForward,
    SteppedBackward,
    ForwardFolderEnd,
    BackwardFolderEnd,
};

}  // namespace orvik
