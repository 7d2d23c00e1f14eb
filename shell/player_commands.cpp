// The Player's commands, one for each transport button and the search. Each loads a frame
// and marks it waiting for the tick; a library operation that fails stops the command where
// it stands, with the undo steps noted.

#include "library/play_state.h"
#include "library/tree_scan.h"
#include "shell/library_turn.h"
#include "shell/player.h"
#include "shell/recording_reader.h"
#include "shell/search_codes.h"
#include "text/bounded_format.h"

namespace orvik {

void Player::open(const QString& path) {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    delete reader;  // another recording: a reading still going stops
    BoundedFormat(folderPath, sizeof folderPath, "%s", path.toLocal8Bit().constData());
    playhead.state = PlayState::Stopped;
    pictureTime.clear();
    ScannedTree nothing;
    files.TakeScannedTree(nothing);  // the old recording goes at once
    timeline = std::make_shared<const RecordingTimeline>(files.Folders());
    reader = new RecordingReader(QByteArray(folderPath), this);
    connect(reader, &RecordingReader::aheadReady, this, &Player::ShowAhead);
    connect(reader, &RecordingReader::progressed, this, &Player::readingProgressed);
    connect(reader, &RecordingReader::finished, this, &Player::FinishReading);
    emit readingStarted();
}

void Player::ShowAhead() {
    LibraryTurn turn(busy);
    if (turn && files.ShowAhead(reader->TakeAhead())) {
        MarkFrameWaiting();
        ShowCurrentTexts();
    }
}

void Player::FinishReading() {
    const std::shared_ptr<ScannedTree> tree = reader->TakeTree();
    reader->deleteLater();
    reader = nullptr;
    BoundedFormat(folderPath, sizeof folderPath, "%s", tree->path);  // a date folder's root
    files.TakeScannedTree(*tree);
    timeline = std::make_shared<const RecordingTimeline>(files.Folders());
    const bool hasFrame = files.LoadFirstFrame();
    if (hasFrame) {
        MarkFrameWaiting();
        ShowCurrentTexts();
        ResetPositionRange();
    } else {
        files.BlankPicture();
    }
    emit recordingOpened(hasFrame);
}

// Already running that way, or handing over at a folder end, changes nothing; any other
// state resumes from the frame shown.
void Player::StartPlay(Direction direction) {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    const PlayState running = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
    const PlayState folderEnd =
        forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
    if (playhead.state == running || playhead.state == folderEnd) {
        return;
    }
    files.HaltOnShownFrame(playhead);  // reversing: from the frame shown
    if (playhead.state != PlayState::Stopped) {
        playhead.state = PlayState::Resuming;
    }
    if (!files.PreparePlayback(playhead)) {
        return;
    }
    MarkFrameWaiting();
    ShowCurrentTexts();
    playhead.state = running;
}

// During play the library's cursor and position counter run ahead of the frame shown;
// pausing brings both back to it, so that Play resumes from it.
void Player::pause() {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    files.HaltOnShownFrame(playhead);
    playhead.state = PlayState::Paused;
}

void Player::stop() {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    playhead.state = PlayState::Stopped;
    playhead.position = 1;
    if (!files.LoadFirstFrame()) {
        return;
    }
    ShowMovedTo();
}

// The next (previous) folder's first frame. At the end of the list the library shows the
// last (first) frame of the current folder and play stops (listEndReached). When play ran
// out of frames (the tick hands over with a folder-end state), play goes on in the new
// folder: forward from its first frame, backward from its last.
void Player::MoveFolder(Direction direction) {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    playhead.position = 1;
    const PlayState before = playhead.state;
    playhead.state = PlayState::Stopped;
    if (!ToNeighbourFolder(forward)) {
        playhead.state = PlayState::Stopped;
        return;
    }
    ResetPositionRange();
    if (playhead.state == PlayState::AtListEnd) {
        playhead.position = forward ? positionMax : 1;
        playhead.state = PlayState::Stopped;
        emit listEndReached(forward);
    } else {
        playhead.state = before;
    }
    MarkFrameWaiting();
    const PlayState folderEnd =
        forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
    if (playhead.state != folderEnd) {
        ShowCurrentTexts();
        ShowPosition();
        playhead.state = PlayState::Stopped;
        return;
    }
    playhead.state = PlayState::Resuming;
    if (!forward) {
        playhead.position = positionMax;
        if (!files.GoToFile(playhead, playhead.position - 1)) {
            return;
        }
    }
    if (!files.PreparePlayback(playhead)) {
        return;
    }
    ShowMovedTo();
    playhead.state = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
}

bool Player::ToNeighbourFolder(bool forward) {
    return forward ? files.NextFolder(playhead.state) : files.PreviousFolder(playhead.state);
}

// One frame on (back) from the frame shown; past the folder's last (first) frame, the next
// (previous) folder's first (last) frame.
void Player::Step(Direction direction) {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    const std::int32_t step = forward ? 1 : -1;
    files.HaltOnShownFrame(playhead);
    playhead.state = forward ? PlayState::SteppedForward : PlayState::SteppedBackward;
    if (forward ? playhead.position >= positionMax : playhead.position <= 1) {
        // Moves to the neighbouring folder without loading; its frame is loaded below.
        if (!ToNeighbourFolder(forward)) {
            return;
        }
        ResetPositionRange();
        playhead.position = forward ? 1 : positionMax;
        ShowDateText();
    } else {
        playhead.position += step;
    }
    if (!files.GoToFile(playhead, playhead.position - 1)) {
        playhead.position -= step;
        return;
    }
    MarkFrameWaiting();
    ShowFrameTexts();
    ShowPosition();
}

void Player::search(const QString& date, const QString& time) {
    LibraryTurn turn(busy);
    if (!turn) {
        return;
    }
    playhead.state = PlayState::Stopped;
    files.TakeTypedDateTime(date.toLocal8Bit().constData(), time.toLocal8Bit().constData());
    const SearchCodes codes = ReadSearchCodes(files.DateText(), files.TimeText());
    std::int32_t index = 0;
    static_cast<void>(files.SearchByDateTime(codes.dateCode, codes.timeCode, index));
    ResetPositionRange();
    playhead.position = index + 1;
    if (!files.GoToFile(playhead, playhead.position - 1)) {
        return;
    }
    ShowMovedTo();
}

}  // namespace orvik
