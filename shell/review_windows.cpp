// The tool windows beside the main window: the Frame window shows the whole picture as
// presented, the Timeline the whole recording with the shown frame marked. Both follow
// what the tick presents and never read a frame themselves; each carries the main window's
// keys, so that reviewing goes on from whichever is active.

#include "shell/library_turn.h"
#include "shell/main_window.h"

namespace orvik {
namespace {

constexpr int kGap = 8;  // pixels between the main window and a tool window

}  // namespace

void MainWindow::AddToolWindow(QWidget* window) {
    window->addActions(actions());
    window->setAttribute(Qt::WA_QuitOnClose, false);
}

void MainWindow::ShowFrameWindow() {
    if (frameWindow == nullptr) {
        frameWindow = new FrameWindow(this);
        AddToolWindow(frameWindow);
        frameWindow->move(frameGeometry().topRight() + QPoint(kGap, 0));  // to the right
    }
    frameWindow->SetPicture(ShownPicture(), ShownCaptureTime());
    frameWindow->show();
    frameWindow->raise();
    frameWindow->activateWindow();
}

void MainWindow::ShowTimeline() {
    if (timelineWindow == nullptr) {
        timelineWindow = new TimelineWindow(this);
        AddToolWindow(timelineWindow);
        timelineWindow->move(frameGeometry().bottomLeft() + QPoint(0, kGap));  // below
        timelineWindow->resize(std::max(width(), timelineWindow->sizeHint().width()),
                               timelineWindow->sizeHint().height());
        connect(timelineWindow, &TimelineWindow::frameChosen, this, &MainWindow::GoToFrame);
        timelineWindow->SetTimeline(timeline);
        timelineWindow->SetMarks(clipStart, clipEnd);
    }
    FollowInToolWindows();
    timelineWindow->show();
    timelineWindow->raise();
    timelineWindow->activateWindow();
}

void MainWindow::NewRecordingInToolWindows() {
    timeline = std::make_shared<const RecordingTimeline>(viewer->fileManager.Folders());
    clipStart.reset();
    clipEnd.reset();
    if (timelineWindow != nullptr) {
        timelineWindow->SetTimeline(timeline);
        timelineWindow->SetMarks(clipStart, clipEnd);
    }
}

void MainWindow::FollowInToolWindows() {
    if (frameWindow != nullptr && frameWindow->isVisible()) {
        frameWindow->SetPicture(ShownPicture(), ShownCaptureTime());
    }
    if (timelineWindow != nullptr) {
        const bool shown = viewer->fileManager.ShownFile() != nullptr;
        timelineWindow->SetShownFrame(shown ? viewer->fileManager.Folders().currentIndex : -1,
                                      shownNumber - 1);
        timelineWindow->SetMarks(clipStart, clipEnd);
    }
}

void MainWindow::GoToFrame(int folderIndex, int fileIndex) {
    LibraryTurn turn(libraryBusy);
    CMavFileManager& files = viewer->fileManager;
    if (!turn || files.SelectFolder(folderIndex) != 0) {
        return;
    }
    ResetPositionRange();
    SetText(dateBox, files.DateText());
    ShowFolderFrame(fileIndex);
}

}  // namespace orvik
