#include "shell/button_lights.h"

namespace orvik {

int ButtonLights::FaceFor(const SkinButtonFaces& button, bool pressed) {
    const FaceChoice choice = ChooseFace(button, pressed, lit);
    if (choice.invalidate != ControlId::None) {
        emit redrawNeeded(choice.invalidate);
    }
    return choice.face;
}

void ButtonLights::LightStop(bool forward) {
    lit.activeButton = lit.previousButton = ControlId::Stop;
    for (const ControlId id :
         {ControlId::Stop, forward ? ControlId::Play : ControlId::PlayBackward, ControlId::Pause}) {
        emit redrawNeeded(id);
    }
}

void ButtonLights::PutOut() {
    lit.previousButton = lit.activeButton;
    lit.activeButton = ControlId::None;
    if (lit.previousButton != ControlId::None) {
        emit redrawNeeded(lit.previousButton);
        lit.previousButton = ControlId::None;
    }
}

}  // namespace orvik
