// The main window's commands. Each runs with the clip library to itself (LibraryTurn): a
// command arriving while another library operation is in progress (a message box of a
// scan is open) does nothing. Commands only load frames and mark them dirty; the tick
// presents them. A library operation that fails stops the command where it stands, with
// the undo steps noted.

#include <QLineEdit>
#include <QSlider>

#include "library/play_state.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"
#include "shell/search_codes.h"
#include "text/bounded_format.h"

namespace orvik {
void MainWindow::ChooseFolder() {
    if (libraryBusy) {
        return;
    }
    chooseFolder(this, viewer->folderPath);  // the user may cancel: folderPath stays
    ScanChosenFolder();
}

void MainWindow::OpenFolder(const char* rootPath) {
    if (libraryBusy) {
        return;
    }
    BoundedFormat(viewer->folderPath, sizeof viewer->folderPath, "%s", rootPath);
    ScanChosenFolder();
}

void MainWindow::ScanChosenFolder() {
    CMavViewer& v = *viewer;
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    v.fileManager.ScanFolderTree(v.folderPath);
    NewRecordingInToolWindows();
    v.playhead.state = PlayState::Stopped;
    if (v.fileManager.LoadFirstFrame() == 0) {
        v.frameDirty = true;
        ShowCurrentTexts();
        ResetPositionRange();
        SetControlsEnabled(true);
        pictureFrame->setFocus();  // keys work at once
    } else {
        lit.previousButton = lit.activeButton = ControlId::None;
        SetControlsEnabled(false);
    }
}

void MainWindow::Play() {
    StartPlay(Direction::Forward);
}

void MainWindow::PlayBackward() {
    StartPlay(Direction::Backward);
}

// Already running that way, or handing over at a folder end, changes nothing; any other
// state resumes from the frame shown.
void MainWindow::StartPlay(Direction direction) {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    const PlayState running = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
    const PlayState folderEnd =
        forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
    Playhead& p = viewer->playhead;
    if (p.state == running || p.state == folderEnd) {
        return;
    }
    viewer->fileManager.HaltOnShownFrame(p);  // reversing: from the frame shown
    if (p.state != PlayState::Stopped) {
        p.state = PlayState::Resuming;
    }
    if (viewer->fileManager.PreparePlayback(p) != 0) {
        return;
    }
    viewer->frameDirty = true;
    ShowCurrentTexts();
    p.state = running;
}

// During play the library's cursor and position counter stand one past (one before) the
// frame shown; pausing brings both back to the frame shown, so that the box shows its number
// and Play resumes from it.
void MainWindow::Pause() {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    viewer->fileManager.HaltOnShownFrame(viewer->playhead);
    viewer->playhead.state = PlayState::Paused;
}

void MainWindow::Stop() {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    CMavViewer& v = *viewer;
    v.playhead.state = PlayState::Stopped;
    v.playhead.position = 1;
    if (v.fileManager.LoadFirstFrame() != 0) {
        return;
    }
    v.frameDirty = true;
    ShowCurrentTexts();
    ShowPosition();
}

void MainWindow::NextFolder() {
    MoveFolder(Direction::Forward);
}

void MainWindow::PreviousFolder() {
    MoveFolder(Direction::Backward);
}

// The next (previous) folder's first frame. At the end of the list the library shows the
// last (first) frame of the current folder and Stop lights. When play ran out of frames
// (the tick hands over with a folder-end state), play goes on in the new folder: forward
// from its first frame, backward from its last.
void MainWindow::MoveFolder(Direction direction) {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    CMavViewer& v = *viewer;
    CMavFileManager& files = v.fileManager;
    Playhead& p = v.playhead;
    p.position = 1;
    const PlayState before = p.state;
    p.state = PlayState::Stopped;
    if ((forward ? files.NextFolder(p.state) : files.PreviousFolder(p.state)) != 0) {
        p.state = PlayState::Stopped;
        return;
    }
    ResetPositionRange();
    if (p.state == PlayState::AtListEnd) {
        p.position = forward ? v.positionMax : 1;
        p.state = PlayState::Stopped;
        LightStop(forward ? ControlId::Play : ControlId::PlayBackward);
    } else {
        p.state = before;
    }
    v.frameDirty = true;
    const PlayState folderEnd =
        forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
    if (p.state != folderEnd) {
        ShowCurrentTexts();
        ShowPosition();
        p.state = PlayState::Stopped;
        return;
    }
    p.state = PlayState::Resuming;
    if (!forward) {
        p.position = v.positionMax;
        if (files.GoToFile(p, p.position - 1) != 0) {
            return;
        }
    }
    if (files.PreparePlayback(p) != 0) {
        return;
    }
    v.frameDirty = true;
    ShowCurrentTexts();
    ShowPosition();
    p.state = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
}

void MainWindow::StepForward() {
    Step(Direction::Forward);
}

void MainWindow::StepBack() {
    Step(Direction::Backward);
}

// One frame on (back) from the frame shown; past the folder's last (first) frame, the next
// (previous) folder's first (last) frame.
void MainWindow::Step(Direction direction) {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    const bool forward = direction == Direction::Forward;
    const std::int32_t step = forward ? 1 : -1;
    CMavViewer& v = *viewer;
    CMavFileManager& files = v.fileManager;
    Playhead& p = v.playhead;
    files.HaltOnShownFrame(p);
    p.state = forward ? PlayState::SteppedForward : PlayState::SteppedBackward;
    if (forward ? p.position >= v.positionMax : p.position <= v.positionMin) {
        // Moves to the neighbouring folder without loading; its frame is loaded below.
        if ((forward ? files.NextFolder(p.state) : files.PreviousFolder(p.state)) != 0) {
            return;
        }
        ResetPositionRange();
        p.position = forward ? v.positionMin : v.positionMax;
        SetText(dateBox, files.DateText());
    } else {
        p.position += step;
    }
    if (files.GoToFile(p, p.position - 1) != 0) {
        p.position -= step;
        return;
    }
    v.frameDirty = true;
    SetText(timeBox, files.TimeText());
    SetText(framePathBox, files.FileText());
    ShowPosition();
}

// Opens the colour settings window with no owner and without blocking, so the main window
// stays usable; while one is open a second press does nothing.
void MainWindow::OpenColourSettings() {
    if (libraryBusy || colourDialogWindow != nullptr) {
        return;
    }
    auto* dialog = new ColourSettingDialog(
        [this](const PictureAdjustments& adjustments) { ApplyAdjustments(adjustments); },
        [this] {
            if (!libraryBusy) {
                viewer->frameDirty = true;
            }
        });
    dialog->show();
}

void MainWindow::Search() {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    CMavViewer& v = *viewer;
    CMavFileManager& files = v.fileManager;
    Playhead& p = v.playhead;
    p.state = PlayState::Stopped;
    files.TakeTypedDateTime(dateBox->text().toLocal8Bit().constData(),
                            timeBox->text().toLocal8Bit().constData());
    const SearchCodes codes = ReadSearchCodes(files.DateText(), files.TimeText());
    std::int32_t index = 0;
    files.SearchByDateTime(codes.dateCode, codes.timeCode, index);
    ResetPositionRange();
    p.position = index + 1;
    if (files.GoToFile(p, p.position - 1) != 0) {
        return;
    }
    v.frameDirty = true;
    ShowCurrentTexts();
    ShowPosition();
}

}  // namespace orvik
