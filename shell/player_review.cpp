// Taking the position by hand: the position slider, Home and End, the seek keys and a click
// in the Timeline. Each shows the frame chosen, pauses play and puts out the lit button, as
// the position slider always has.

#include <algorithm>

#include "library/play_state.h"
#include "shell/library_turn.h"
#include "shell/player.h"

namespace orvik {

void Player::showNumber(int number) {
    LibraryTurn turn(busy);
    if (turn) {
        ShowFolderFrame(number - 1);
    }
}

void Player::seek(std::int32_t hundredths) {
    LibraryTurn turn(busy);
    const CMavFile* shown = files.ShownFile();
    if (!turn || shown == nullptr || files.CurrentFolder() == nullptr) {
        return;
    }
    files.HaltOnShownFrame(playhead);
    const std::int32_t current = playhead.position - 1;
    const std::int32_t found = files.CurrentFolder()->IndexAtOrBefore(shown->timeKey + hundredths);
    // Forward at least the next frame, so that a key held over a long pause still moves on.
    ShowFolderFrame(hundredths > 0 ? std::min(std::max(found, current + 1), files.FileCount() - 1)
                                   : std::max(found, 0));
}

void Player::goToFolderStart() {
    LibraryTurn turn(busy);
    if (turn && files.CurrentFolder() != nullptr) {
        ShowFolderFrame(0);
    }
}

void Player::goToFolderEnd() {
    LibraryTurn turn(busy);
    if (turn && files.CurrentFolder() != nullptr) {
        ShowFolderFrame(files.FileCount() - 1);
    }
}

void Player::goToFrame(int folderIndex, int fileIndex) {
    LibraryTurn turn(busy);
    if (!turn || !files.SelectFolder(folderIndex)) {
        return;
    }
    ResetPositionRange();
    ShowDateText();
    ShowFolderFrame(fileIndex);
}

// Frame index of the current folder, shown as the position slider shows it. The caller
// holds the library.
void Player::ShowFolderFrame(std::int32_t index) {
    playhead.position = index + 1;
    if (files.GoToFile(playhead, index)) {
        MarkFrameWaiting();
        ShowFrameTexts();
    }
    ShowPosition();
    playhead.state = PlayState::Paused;
    emit positionTaken();
}

}  // namespace orvik
