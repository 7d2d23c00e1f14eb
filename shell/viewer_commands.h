// What each key of the viewer does: the key table's commands run on the Player, the frame
// saver, the clip exporter and the tool windows. Transport keys press their skin buttons as
// the mouse does, so that the commands, the lit button and every text behave exactly as
// with a click; speed keys move the speed slider.
#pragma once

#include <functional>
#include <map>

#include "resources/control_ids.h"
#include "shell/key_table.h"

class QAbstractSlider;

namespace orvik {

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
        QAbstractSlider& speedSlider;
        std::function<void(ControlId)> press;  // presses a skin button
        std::function<void()> close;           // closes the viewer
    };

    explicit ViewerCommands(const Parts& parts);

    void Run(Command command) const;

  private:
    std::map<Command, std::function<void()>> commands;
};

}  // namespace orvik
