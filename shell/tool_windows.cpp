#include "shell/tool_windows.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/activity_indexer.h"
#include "shell/bottom_up_picture.h"
#include "shell/frame_window.h"
#include "shell/key_table.h"
#include "shell/player.h"
#include "shell/timeline_frame_source.h"
#include "shell/timeline_window.h"

namespace orvik {
namespace {

constexpr int kGap = 8;  // pixels between the main window and a tool window

}  // namespace

ToolWindows::ToolWindows(Player& player, ActivityIndexer& activity, QWidget* main,
                         std::function<void(QWidget*)> addKeys)
    : QObject(main), player(player), activity(activity), main(main), addKeys(std::move(addKeys)) {}

void ToolWindows::Place(QWidget* window, const QPoint& at) {
    addKeys(window);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->move(at);
    KeepOnScreen(window);
}

// Wholly on the screen the main window is on, with or without a window manager: a window
// that would reach past an edge moves in, and one larger than the screen shrinks to it.
void ToolWindows::KeepOnScreen(QWidget* window) const {
    const QScreen* screen = main->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect room = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->size();  // the decorations
    window->resize(window->size().boundedTo(room.size() - frame));
    const QSize outer = window->size() + frame;
    const QPoint at(std::clamp(window->x(), room.left(), room.right() + 1 - outer.width()),
                    std::clamp(window->y(), room.top(), room.bottom() + 1 - outer.height()));
    window->move(at);
}

void ToolWindows::showFrameWindow() {
    if (frameWindow == nullptr) {
        frameWindow = new FrameWindow(main);
        Place(frameWindow, main->frameGeometry().topRight() + QPoint(kGap, 0));  // to the right
        frameWindow->SetRegion(activity.Region());
        connect(frameWindow, &FrameWindow::regionDrawn, &activity, &ActivityIndexer::setRegion);
        connect(&activity, &ActivityIndexer::regionChanged, frameWindow, &FrameWindow::SetRegion);
    }
    ShowInFrameWindow();
    frameWindow->show();
    frameWindow->raise();
    frameWindow->activateWindow();
}

void ToolWindows::ShowInFrameWindow() {
    const bool kept = !player.PictureCaptureTime().isEmpty();
    frameWindow->SetPicture(kept ? UprightLibraryPicture(player.Library()) : QImage(),
                            player.ShownCaptureTime(), player.ShownFrameNote());
}

void ToolWindows::showTimeline() {
    if (timelineWindow == nullptr) {
        timelineWindow = new TimelineWindow(main);
        Place(timelineWindow, main->frameGeometry().bottomLeft() + QPoint(0, kGap));  // below
        timelineWindow->resize(std::max(main->width(), timelineWindow->sizeHint().width()),
                               timelineWindow->sizeHint().height());
        KeepOnScreen(timelineWindow);
        connect(timelineWindow, &TimelineWindow::frameChosen, &player, &Player::goToFrame);
        timelineWindow->SetFrameSource(LibraryFrameSource(player));
        timelineWindow->SetTimeline(player.Timeline());
        timelineWindow->SetMarks(markStart, markEnd);
        const auto showActivity = [this] {
            timelineWindow->SetActivity(activity.Index(), activity.FoldersReady(),
                                        activity.FolderCount());
        };
        showActivity();
        connect(&activity, &ActivityIndexer::progressed, timelineWindow, showActivity);
    }
    follow();
    timelineWindow->show();
    timelineWindow->raise();
    timelineWindow->activateWindow();
}

// A window listing every key, beside the main window; it carries the keys too.
void ToolWindows::showKeyList() {
    if (keyList == nullptr) {
        keyList = new QWidget(main, Qt::Window);
        keyList->setObjectName("keyList");
        keyList->setWindowTitle(tr("Keys"));
        auto* layout = new QVBoxLayout(keyList);
        layout->addWidget(new QLabel(KeyListHtml(), keyList));
        Place(keyList, keyList->pos());
    }
    keyList->show();
    keyList->raise();
}

void ToolWindows::follow() {
    if (frameWindow != nullptr && frameWindow->isVisible()) {
        ShowInFrameWindow();
    }
    if (timelineWindow != nullptr) {
        const bool shown = player.Library().ShownFile() != nullptr;
        timelineWindow->SetShownFrame(shown ? player.Library().Folders().currentIndex : -1,
                                      player.ShownNumber() - 1, player.Playing());
        timelineWindow->SetMarks(markStart, markEnd);
    }
}

void ToolWindows::showRecording() {
    if (timelineWindow != nullptr) {
        timelineWindow->SetTimeline(player.Timeline());
    }
}

void ToolWindows::showMarks(std::optional<std::int64_t> start, std::optional<std::int64_t> end) {
    markStart = start;
    markEnd = end;
    follow();
}

}  // namespace orvik
