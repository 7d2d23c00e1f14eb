// Every key of the viewer in one table: what it does, its keys (the first is the one shown)
// and the window it works in. The actions, the picture's context menu, the buttons'
// tooltips, the key list (F1) and the Frame window's keys are all made from it, so a key is
// named here and nowhere else.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <span>

#include "resources/control_ids.h"

class QAction;
class QWidget;

namespace orvik {

enum class Command {
    // The viewer's, in the main window and every tool window.
    PlayOrPause,
    StepForward,
    StepBack,
    SecondOn,
    SecondBack,
    MinuteOn,
    MinuteBack,
    NextFolder,
    PreviousFolder,
    FolderStart,
    FolderEnd,
    NextEvent,
    PreviousEvent,
    PlayOrFaster,
    PlayBackwardOrFaster,
    Pause,
    Faster,
    Slower,
    Snapshot,
    SaveFrameAs,
    CopyFrame,
    MarkClipStart,
    MarkClipEnd,
    ClearClipMarks,
    ExportClip,
    FrameWindow,
    Timeline,
    KeyList,
    CloseViewer,
    // The Frame window's own.
    ZoomIn,
    ZoomOut,
    ActualSize,
    FitToWindow,
    FullScreen,
    LeaveFullScreen,
};

enum class KeyScope { Viewer, FrameWindow };

struct KeyBinding {
    Command command;
    const char* text;          // what the key does, as the menu and the key list say it
    QList<QKeySequence> keys;  // the first is the one shown
    KeyScope scope;
    bool inMenu;  // offered in the picture's context menu
};

std::span<const KeyBinding> KeyBindings();

// The key as a reader says it: "Space", "Page Down", "Ctrl+S".
QString SpokenKey(Command command);

// One action for each binding of scope, added to owner, its keys working while owner's
// window is active; triggering runs run(command).
QList<QAction*> AddKeyActions(QWidget* owner, KeyScope scope,
                              const std::function<void(Command)>& run);

// Those of actions (made by AddKeyActions) that the picture's context menu offers.
QList<QAction*> MenuActions(const QList<QAction*>& actions);

// The tooltip of a main window control, naming its keys; empty for a control without one.
QString ToolTipOf(ControlId id);
// Gives every main window control that has a tooltip its tooltip; control(id) is the control.
void SetToolTips(const std::function<QWidget*(ControlId id)>& control);

// The key list: every binding and mouse action, as rows of an HTML table.
QString KeyListHtml();

}  // namespace orvik
