// The viewer's navigation state as the clip library sees it: the play state, and the
// playhead that play moves (state, play clock and position together).
#pragma once

#include <cstdint>

namespace orvik {

// The navigation and playback mode. The clip library reads Stopped, SteppedForward,
// SteppedBackward and BackwardFolderEnd and writes only Stopped and AtListEnd.
enum class PlayState : std::int32_t {
    Stopped = 0,
    AtListEnd = 1,  // a folder move found no further folder and showed the list's end frame
    Paused = 2,
    PlayingForward = 3,
    PlayingBackward = 4,
    Resuming = 5,        // play starts again from the current frame
    SteppedForward = 6,  // a folder move without loading: the step loads the frame
    SteppedBackward = 7,
    ForwardFolderEnd = 8,  // forward play ran out of frames in the current folder
    BackwardFolderEnd = 9,
};

// What the navigation operations move: the mode, the play clock (hundredths of a second
// since midnight, as a frame's timeKey) and the 1-based number of the frame in its folder,
// as the position slider shows it.
struct Playhead {
    PlayState state = PlayState::Stopped;
    std::int32_t clock = 0;
    std::int32_t position = 1;
};

// What one play step did.
enum class StepResult {
    Shown,         // a later (earlier) frame was made current and loaded
    NotDue,        // no frame is due yet at this clock
    FolderUsedUp,  // no further frame in this direction, or it cannot be opened: state Stopped
};

}  // namespace orvik
