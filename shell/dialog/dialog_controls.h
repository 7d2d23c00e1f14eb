// Builds a window's controls from its dialog template: each control made as the Qt widget
// of its kind, placed at its rectangle in pixels, styled as its template says, and named by
// its ID. The main window and the colour settings window are both built this way.
#pragma once

#include <QSize>
#include <functional>
#include <map>

#include "resources/dialog_template.h"

class QWidget;

namespace orvik {

class DialogControls {
  public:
    // Makes a control of the window's own kind (the main window's skin buttons and picture
    // area), or gives nullptr for the standard widget of the control's kind.
    using ControlMaker = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;

    // Makes every control of dialog as a child of parent, each by makeOwn when it makes one.
    DialogControls(const DialogTemplate& dialog, QWidget* parent,
                   const ControlMaker& makeOwn = {});

    // The control with this ID, as the widget type it was made as (nullptr when there is
    // none, or it is of another type).
    template <typename Widget>
    Widget* Get(ControlId id) const {
        const auto found = controls.find(id);
        return found == controls.end() ? nullptr : qobject_cast<Widget*>(found->second);
    }

  private:
    std::map<ControlId, QWidget*> controls;
};

// The client size of the dialog in pixels.
QSize DialogClientSize(const DialogTemplate& dialog);

}  // namespace orvik
