// An owner-drawn button of the main window: its face is painted by the window (the viewer's
// DrawSkinButton, which applies the lit-button rule as it draws).
#pragma once

#include <QPushButton>
#include <functional>

#include "resources/control_ids.h"

namespace orvik {

class SkinButton : public QPushButton {
    Q_OBJECT

  public:
    // Paints the face of button id over rect; pressed = held down now.
    using FacePainter =
        std::function<void(QPainter&, ControlId id, bool pressed, const QRect& rect)>;

    SkinButton(ControlId id, FacePainter paintFace, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ControlId id;
    FacePainter paintFace;
};

}  // namespace orvik
