// The playback tick: every 100 ms, on the UI thread. When the window plays it moves the
// play clock by speed x 10 hundredths of a second and lets the clip library show the frame
// that is due; when a folder runs out it hands over to the Next folder or Previous folder
// command. Whatever frame was loaded since the last tick, by anyone, is then presented.

#include <QLineEdit>

#include "library/play_state.h"
#include "library/time_of_day.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"

namespace orvik {
namespace {

constexpr std::int32_t kClockStepPerSpeed = 10;  // hundredths a tick at speed 1: real time
constexpr std::int32_t kBackwardClockFloor = 100;

}  // namespace

void MainWindow::PlaybackTick(int identity) {
    if (identity != kPlaybackTimerIdentity) {
        return;
    }
    void (MainWindow::*handOver)() = nullptr;  // the folder command to run once the library is free
    {
        LibraryTurn turn(libraryBusy);
        if (!turn) {
            return;
        }
        CMavViewer& v = *viewer;
        Playhead& p = v.playhead;
        const bool forward = p.state == PlayState::PlayingForward;
        if (forward || p.state == PlayState::PlayingBackward) {
            const std::int32_t sign = forward ? 1 : -1;
            if (forward && p.clock > kHundredthsPerDay) {
                p.clock = 0;  // past midnight
            } else if (!forward && p.clock < kBackwardClockFloor) {
                p.clock = 0;
            }
            switch (forward ? v.fileManager.PlayStepForward(p)
                            : v.fileManager.PlayStepBackward(p)) {
                case StepResult::Shown:
                    SetText(framePathBox, v.fileManager.FileText());
                    SetText(timeBox, v.fileManager.TimeText());
                    v.frameDirty = true;
                    // The library's counter stands one past (before) the frame shown.
                    ShowPositionNumber(p.position - sign);
                    p.clock += sign * v.speed * kClockStepPerSpeed;
                    break;
                case StepResult::NotDue:
                    p.clock += sign * v.speed * kClockStepPerSpeed;  // the clock runs on
                    break;
                case StepResult::FolderUsedUp:
                    p.state = forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
                    handOver = forward ? &MainWindow::NextFolder : &MainWindow::PreviousFolder;
                    break;
            }
        }
        if (handOver == nullptr && v.frameDirty) {
            v.frameDirty = false;
            PresentFrame();
        }
    }
    if (handOver != nullptr) {
        (this->*handOver)();  // runs now, with the library free; presented by the next tick
    }
}

void MainWindow::PresentFrame() {
    viewer->DrawCurrentPicture();
    update(viewer->pictureLeft, viewer->pictureTop, kPictureAreaWidth, kPictureAreaHeight);
    FollowInToolWindows();
    if (framePresented) {
        framePresented();
    }
}

}  // namespace orvik
