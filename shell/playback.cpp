// The playback tick: every 100 ms, on the UI thread. When the window plays it moves the
// play clock by speed x 10 hundredths of a second and lets the clip library show the frame
// that is due; when a folder runs out it hands over to the Next folder or Previous folder
// command. Whatever frame was loaded since the last tick, by anyone, is then presented.

#include <QSlider>

#include "library/play_state.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"

namespace orvik {
namespace {

constexpr std::int32_t kDayLength = 8640000;     // hundredths of a second
constexpr std::int32_t kClockStepPerSpeed = 10;  // hundredths a tick at speed 1: real time
constexpr std::int32_t kBackwardClockFloor = 100;

}  // namespace

void MainWindow::PlaybackTick(int identity) {
    if (identity != kPlaybackTimerIdentity) {
        return;
    }
    int handOver = 0;  // the folder command to run once the library is free again
    {
        LibraryTurn turn(libraryBusy);
        if (!turn) {
            return;
        }
        CMavViewer& v = *viewer;
        const std::int32_t clockStep = v.speed * kClockStepPerSpeed;
        if (v.playState == PlayingForward) {
            if (v.playClock > kDayLength) {
                v.playClock = 0;  // past midnight
            }
            if (v.fileManager.PlayStepForward(v.playState, v.playClock, v.position) == 0) {
                SetText(1001, v.fileManager.fileText);
                SetText(1025, v.fileManager.timeText);
                v.frameDirty = 1;
                ShowPositionNumber(v.position - 1);
                v.playClock += clockStep;
            } else if (v.playState != Stopped) {
                v.playClock += clockStep;  // no frame due yet: the clock runs on
            } else {
                v.playState = ForwardFolderEnd;
                handOver = 1003;
            }
        } else if (v.playState == PlayingBackward) {
            if (v.playClock < kBackwardClockFloor) {
                v.playClock = 0;
            }
            if (v.fileManager.PlayStepBackward(v.playState, v.playClock, v.position) == 0) {
                SetText(1025, v.fileManager.timeText);
                SetText(1001, v.fileManager.fileText);
                v.frameDirty = 1;
                ShowPositionNumber(v.position + 1);
                v.playClock -= clockStep;
            } else if (v.playState != Stopped) {
                v.playClock -= clockStep;
            } else {
                v.playState = BackwardFolderEnd;
                handOver = 1004;
            }
        }
        if (handOver == 0 && v.frameDirty != 0) {
            v.frameDirty = 0;
            PresentFrame();
        }
    }
    if (handOver != 0) {
        Command(handOver);  // runs now, with the library free; presented by the next tick
    }
}

void MainWindow::PresentFrame() {
    viewer->DrawCurrentPicture();
    update(viewer->pictureLeft, viewer->pictureTop, kPictureAreaWidth, kPictureAreaHeight);
    if (framePresented) {
        framePresented();
    }
}

}  // namespace orvik
