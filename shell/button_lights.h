// Which transport button is drawn lit. Drawing a skin button is what moves the light (the
// rule is ChooseFace's): each button asks for its face here as it paints, and a button that
// lost the light is asked to redraw (redrawNeeded). The Player's folder moves light Stop at
// the end of the list, and taking the position by hand puts the light out.
#pragma once

#include <QObject>

#include "shell/skin_buttons.h"

namespace orvik {

class ButtonLights : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // Applies the lit-button rule for one draw of button (pressed: held down now) and gives
    // the face to draw.
    int FaceFor(const SkinButtonFaces& button, bool pressed);

    const LitButtons& Lit() const { return lit; }

  public slots:
    // Stop lit, after a folder move found no further folder; Play (Play backward) and Pause
    // are redrawn.
    void LightStop(bool forward);
    // No button lit; the one that was is redrawn.
    void PutOut();
    // No button lit, nothing to redraw: no recording is open.
    void Clear() { lit = {}; }

  signals:
    void redrawNeeded(ControlId id);

  private:
    LitButtons lit;
};

}  // namespace orvik
