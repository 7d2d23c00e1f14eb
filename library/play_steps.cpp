// The play steps: against the play clock, show the latest frame whose time has come, in
// the direction of play, catching the clock up over gaps in the recording. Backward play is
// forward play with time and links mirrored.
#include "library/file_manager.h"
#include "library/play_state.h"

namespace orvik {
namespace {

// How far the play clock jumps towards a frame that lies ahead of it by more than
// gapAbove hundredths of a second (and at most kLongGap); at 200 or less it runs on alone.
struct CatchUp {
    std::int64_t gapAbove;
    std::int32_t jump;
};
constexpr CatchUp kCatchUpSteps[] = {{1000, 900}, {800, 700}, {500, 400}, {200, 100}};
// Beyond this the clock is set to kLeadBeforeFrame before the frame at once.
constexpr std::int64_t kLongGap = 1500;         // 15 s
constexpr std::int32_t kLeadBeforeFrame = 100;  // 1 s

std::int32_t CatchUpJump(std::int64_t gap) {
    for (const CatchUp& step : kCatchUpSteps) {
        if (gap > step.gapAbove) {
            return step.jump;
        }
    }
    return 0;
}

struct Direction {
    std::int32_t sign;            // +1 forward, -1 backward
    CMavFile* CMavFile::*ahead;   // the link in the direction of play
    CMavFile* CMavFile::*behind;  // the link against it
};
constexpr Direction kForward{+1, &CMavFile::next, &CMavFile::prev};
constexpr Direction kBackward{-1, &CMavFile::prev, &CMavFile::next};

// How far time t lies ahead of the clock in the direction of play; 64 bits, as the
// caller's clock may be anywhere.
std::int64_t Ahead(const Direction& d, std::int32_t t, std::int32_t clock) {
    return d.sign * (std::int64_t{t} - clock);
}

}  // namespace

StepResult CMavFileManager::PlayStepForward(Playhead& playhead) {
    return PlayStep(kForward.sign, playhead);
}

StepResult CMavFileManager::PlayStepBackward(Playhead& playhead) {
    return PlayStep(kBackward.sign, playhead);
}

StepResult CMavFileManager::PlayStep(std::int32_t sign, Playhead& playhead) {
    const Direction& d = sign > 0 ? kForward : kBackward;
    std::int32_t& playClock = playhead.clock;
    std::int32_t& position = playhead.position;
    if (currentFile == nullptr || currentFolder == nullptr) {
        playhead.state = PlayState::Stopped;
        return StepResult::FolderUsedUp;
    }
    const std::int32_t k = currentFile->timeKey;
    const std::int64_t gap = Ahead(d, k, playClock);
    if (gap > kLongGap) {
        playClock = k - d.sign * kLeadBeforeFrame;
    } else {
        playClock += d.sign * CatchUpJump(gap);
    }
    if (Ahead(d, k, playClock) > 0) {
        return StepResult::NotDue;
    }
    CMavFile* cursor = currentFile;
    std::int32_t index = cursorIndex;
    for (;;) {
        if (cursor->*d.ahead == nullptr) {
            position = d.sign > 0 ? currentFolder->GetFileCount() + 1 : 0;
            break;
        }
        position += d.sign;
        cursor = cursor->*d.ahead;
        index += d.sign;
        if (Ahead(d, cursor->timeKey, playClock) > 0) {
            break;
        }
    }
    const CMavFolder* folder = currentFolder;
    if (cursor->timeKey == k) {
        // The folder's end frame, carrying the key the step started from: show it, and the
        // folder is used up in this direction.
        static_cast<void>(ShowFile(*cursor, index));
        currentFile = nullptr;
        playRunFolder = folder;
        return StepResult::Shown;
    }
    // The cursor rests on the first frame not yet due; the one behind it is shown.
    currentFile = cursor;
    cursorIndex = index;
    playRunFolder = folder;
    if (!ShowFile(*(cursor->*d.behind), index - d.sign)) {
        playhead.state = PlayState::Stopped;
        return StepResult::FolderUsedUp;
    }
    return StepResult::Shown;
}

void CMavFileManager::HaltOnShownFrame(Playhead& playhead) {
    if (playRunFolder == nullptr || playRunFolder != currentFolder || shownFile == nullptr) {
        return;  // no play step has run the cursor ahead since it was last placed
    }
    playhead.position = shownIndex + 1;
    PlaceCursor(shownFile, shownIndex);
}

}  // namespace orvik
