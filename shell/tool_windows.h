// The tool windows beside the main window: the Frame window (the whole picture as
// presented), the Timeline (the whole recording with the frame shown marked) and the key
// list. The first two follow what the Player presents and never read the frame shown
// themselves (the Timeline decodes its hover pictures on a worker of its own);
// each carries the viewer's keys, so that reviewing goes on from whichever is active.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace orvik {

class ActivityIndexer;
class FrameWindow;
class Player;
class TimelineWindow;

class ToolWindows : public QObject {
    Q_OBJECT

  public:
    // main: the window they open beside; addKeys gives a window the viewer's keys.
    ToolWindows(Player& player, ActivityIndexer& activity, QWidget* main,
                std::function<void(QWidget*)> addKeys);

  public slots:
    void showFrameWindow();
    void showTimeline();
    void showKeyList();
    // The Player presented a frame: the windows follow it.
    void follow();
    // A new recording was read.
    void showRecording();
    void showMarks(std::optional<std::int64_t> start, std::optional<std::int64_t> end);

  private:
    void Place(QWidget* window, const QPoint& at);
    void ShowInFrameWindow();
    void KeepOnScreen(QWidget* window) const;

    Player& player;
    ActivityIndexer& activity;
    QWidget* main;
    std::function<void(QWidget*)> addKeys;
    FrameWindow* frameWindow = nullptr;
    TimelineWindow* timelineWindow = nullptr;
    QWidget* keyList = nullptr;
    std::optional<std::int64_t> markStart, markEnd;
};

}  // namespace orvik
