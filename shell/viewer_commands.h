// What each key of the viewer does: the key table's commands run on the Player, the frame
// saver, the clip exporter and the tool windows. Transport keys press their skin buttons as
// the mouse does, so that the commands, the lit button and every text behave exactly as
// with a click; speed keys move the speed slider.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "resources/control_ids.h"
#include "shell/key_table.h"

class QAbstractSlider;
class QString;

namespace orvik {

class ActivityIndexer;
class ClipExporter;
class FrameSaver;
class Player;
class ToolWindows;

class ViewerCommands {
  public:
    struct Parts {
        Player& player;
        FrameSaver& saver;
        ClipExporter& exporter;
        ToolWindows& tools;
        const ActivityIndexer& activity;
        QAbstractSlider& speedSlider;
        std::function<void(ControlId)> press;      // presses a skin button
        std::function<void()> close;               // closes the viewer
        std::function<void(const QString&)> note;  // a brief note over the picture
    };

    explicit ViewerCommands(const Parts& parts);

    // Runs command; while a recording is read, a command that needs its frames waits.
    void Run(Command command);
    // The recording is read: the commands that waited run, or are dropped when it has no
    // frame.
    void RunWaiting(bool hasFrame);

  private:
    std::map<Command, std::function<void()>> commands;
    const Player& playback;
    std::function<void(const QString&)> note;
    std::vector<Command> waiting;
};

}  // namespace orvik
