// The main window's commands, by control ID. Each runs with the clip library to itself
// (LibraryTurn); a command arriving while another library operation is in progress (a
// message box of a scan is open) does nothing. A library operation that fails stops the
// command where it stands, with the undo steps noted.

#include <QLineEdit>
#include <QSlider>

#include "colour/settings/colour_setting_dialog.h"
#include "library/play_state.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"
#include "shell/search_codes.h"
#include "shell/text/bounded_format.h"

namespace orvik {

void MainWindow::Command(int id) {
    if (id == 1 || id == 1016) {
        PostClose();
        return;
    }
    if (libraryBusy) {
        return;
    }
    switch (id) {
        case 1000:
            ChooseFolderCommand(true);
            return;
        case 1012:
            ColourSettingsCommand();
            return;
        default:
            break;
    }
    LibraryTurn turn(libraryBusy);
    switch (id) {
        case 1002:
            PlayCommand(PlayingForward, ForwardFolderEnd);
            break;
        case 1011:
            PlayCommand(PlayingBackward, BackwardFolderEnd);
            break;
        case 1005:
            PauseCommand();
            break;
        case 1008:
            StopCommand();
            break;
        case 1003:
            NextFolderCommand();
            break;
        case 1004:
            PreviousFolderCommand();
            break;
        case 1006:
            StepBackCommand();
            break;
        case 1007:
            StepForwardCommand();
            break;
        case 1026:
            SearchCommand();
            break;
        default:
            break;
    }
}

void MainWindow::ChooseFolderCommand(bool askUser) {
    CMavViewer& v = *viewer;
    if (askUser) {
        chooseFolder(this, v.folderPath);  // the user may cancel: folderPath stays
    }
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    v.fileManager.ScanFolderTree(v.folderPath);
    v.playState = Stopped;
    if (v.fileManager.LoadFirstFrame(v.playState) == 0) {
        v.frameDirty = 1;
        ShowCurrentTexts();
        ResetPositionRange();
        SetControlsEnabled(true);
    } else {
        lit.previousButton = lit.activeButton = 0;
        SetControlsEnabled(false);
    }
}

// Play (forward) and Play backward: already running that way, or handing over at a folder
// end, changes nothing; any other state resumes from the current frame.
void MainWindow::PlayCommand(std::int32_t runningState, std::int32_t folderEndState) {
    CMavViewer& v = *viewer;
    if (v.playState == runningState || v.playState == folderEndState) {
        return;
    }
    v.fileManager.HaltOnShownFrame(v.playState, v.position);  // reversing: from the frame shown
    if (v.playState != Stopped) {
        v.playState = Resuming;
    }
    if (v.fileManager.PreparePlayback(v.playState, v.playClock, v.speed) != 0) {
        return;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    v.playState = runningState;
}

// During play the library's cursor and position counter stand one past (one before) the
// frame shown; pausing brings both back to the frame shown, so that the box shows its number
// and Play resumes from it.
void MainWindow::PauseCommand() {
    CMavViewer& v = *viewer;
    v.fileManager.HaltOnShownFrame(v.playState, v.position);
    v.playState = Paused;
}

void MainWindow::StopCommand() {
    CMavViewer& v = *viewer;
    v.playState = Stopped;
    v.position = 1;
    if (v.fileManager.LoadFirstFrame(v.playState) != 0) {
        return;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    ShowPosition();
}

void MainWindow::NextFolderCommand() {
    CMavViewer& v = *viewer;
    v.position = 1;
    const std::int32_t before = v.playState;
    v.playState = Stopped;
    if (v.fileManager.NextFolder(v.playState) != 0) {
        v.playState = Stopped;
        return;
    }
    ResetPositionRange();
    if (v.playState == AtListEnd) {  // no next folder: its last frame is shown, Stop lit
        v.position = v.positionMax;
        v.playState = Stopped;
        LightStop();
        for (const int id : {1008, 1002, 1005}) {
            Invalidate(id);
        }
    } else {
        v.playState = before;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    ShowPosition();
    if (v.playState != ForwardFolderEnd) {
        v.playState = Stopped;
        return;
    }
    // Forward play ran out of frames: it goes on in the new folder.
    v.playState = Resuming;
    if (v.fileManager.PreparePlayback(v.playState, v.playClock, v.speed) != 0) {
        return;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    v.playState = PlayingForward;
}

void MainWindow::PreviousFolderCommand() {
    CMavViewer& v = *viewer;
    v.position = 1;
    const std::int32_t before = v.playState;
    v.playState = Stopped;
    if (v.fileManager.PreviousFolder(v.playState) != 0) {
        v.playState = Stopped;
        return;
    }
    ResetPositionRange();
    if (v.playState == AtListEnd) {  // no earlier folder: its first frame is shown, Stop lit
        v.position = 1;
        v.playState = Stopped;
        LightStop();
        for (const int id : {1008, 1011, 1005}) {
            Invalidate(id);
        }
    } else {
        v.playState = before;
    }
    v.frameDirty = 1;
    if (v.playState != BackwardFolderEnd) {
        ShowCurrentTexts();
        ShowPosition();
        v.playState = Stopped;
        return;
    }
    // Backward play ran out of frames: it goes on from the earlier folder's last frame.
    v.position = v.positionMax;
    v.playState = Resuming;
    if (v.fileManager.GoToFile(v.playClock, v.position - 1) != 0) {
        return;
    }
    if (v.fileManager.PreparePlayback(v.playState, v.playClock, v.speed) != 0) {
        return;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    ShowPosition();
    v.playState = PlayingBackward;
}

void MainWindow::StepBackCommand() {
    CMavViewer& v = *viewer;
    v.fileManager.HaltOnShownFrame(v.playState, v.position);  // a step goes from the frame shown
    v.playState = SteppedBackward;
    if (v.position <= v.positionMin) {
        // Moves to the previous folder without loading; its last frame is loaded below.
        if (v.fileManager.PreviousFolder(v.playState) != 0) {
            return;
        }
        ResetPositionRange();
        v.position = v.positionMax;
        SetText(1024, v.fileManager.dateText);
    } else {
        v.position -= 1;
    }
    if (v.fileManager.GoToFile(v.playClock, v.position - 1) != 0) {
        v.position += 1;
        return;
    }
    SetText(1025, v.fileManager.timeText);
    SetText(1001, v.fileManager.fileText);
    v.frameDirty = 1;
    ShowPosition();
}

void MainWindow::StepForwardCommand() {
    CMavViewer& v = *viewer;
    v.fileManager.HaltOnShownFrame(v.playState, v.position);  // a step goes from the frame shown
    v.playState = SteppedForward;
    if (v.position >= v.positionMax) {
        // Moves to the next folder without loading; its first frame is loaded below.
        if (v.fileManager.NextFolder(v.playState) != 0) {
            return;
        }
        ResetPositionRange();
        v.position = v.positionMin;
        SetText(1024, v.fileManager.dateText);
    } else {
        v.position += 1;
    }
    if (v.fileManager.GoToFile(v.playClock, v.position - 1) != 0) {
        v.position -= 1;
        return;
    }
    v.frameDirty = 1;
    SetText(1025, v.fileManager.timeText);
    SetText(1001, v.fileManager.fileText);
    ShowPosition();
}

// Opens the colour settings window with no owner and without blocking, so the main window
// stays usable; while one is open a second press does nothing.
void MainWindow::ColourSettingsCommand() {
    if (colourDialogWindow != nullptr) {
        return;
    }
    auto* dialog = new ColourSettingDialog(
        [this](const PictureAdjustments& adjustments) { ApplyAdjustments(adjustments); },
        [this] {
            if (!libraryBusy) {
                viewer->frameDirty = 1;
            }
        });
    dialog->show();
}

void MainWindow::SearchCommand() {
    CMavViewer& v = *viewer;
    CMavFileManager& files = v.fileManager;
    v.playState = Stopped;
    BoundedFormat(files.dateText, sizeof files.dateText, "%s",
                  Edit(1024)->text().toLocal8Bit().constData());
    BoundedFormat(files.timeText, sizeof files.timeText, "%s",
                  Edit(1025)->text().toLocal8Bit().constData());
    const SearchCodes codes = ReadSearchCodes(files.dateText, files.timeText);
    std::int32_t index = 0;
    files.SearchByDateTime(codes.dateCode, codes.timeCode, index);
    ResetPositionRange();
    v.position = index + 1;
    if (files.GoToFile(v.playClock, v.position - 1) != 0) {
        return;
    }
    v.frameDirty = 1;
    ShowCurrentTexts();
    ShowPosition();
}

}  // namespace orvik
