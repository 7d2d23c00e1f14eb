#include "shell/skin_buttons.h"

#include <array>

namespace orvik {
namespace {

using K = ButtonKind;
using I = ControlId;

const std::array<SkinButtonFaces, 12> kButtons = {{
    {I::Play, K::Latching, 138, 139},
    {I::Pause, K::Latching, 140, 141},
    {I::Stop, K::Latching, 135, 137},
    {I::PlayBackward, K::Latching, 148, 149},
    {I::NextFolder, K::Momentary, 144, 145},
    {I::PreviousFolder, K::Momentary, 130, 128},
    {I::StepBack, K::Momentary, 131, 134},
    {I::StepForward, K::Momentary, 142, 143},
    {I::ChooseFolder, K::LatchClearing, 146, 147},
    {I::Search, K::LatchClearing, 154, 153},
    {I::ColourSettings, K::Plain, 150, 151},
    {I::Close, K::Plain, 156, 155},
}};

// Hands previousButton out as the button to redraw, and clears it.
ControlId TakePrevious(LitButtons& lit) {
    const ControlId redraw = lit.previousButton;
    lit.previousButton = I::None;
    return redraw;
}

}  // namespace

const SkinButtonFaces* FindSkinButton(ControlId id) {
    for (const SkinButtonFaces& button : kButtons) {
        if (button.id == id) {
            return &button;
        }
    }
    return nullptr;
}

FaceChoice ChooseFace(const SkinButtonFaces& button, bool pressed, LitButtons& lit) {
    const ControlId id = button.id;
    ControlId redraw = I::None;
    switch (button.kind) {
        case K::Latching:
            if (pressed) {
                ControlId old = lit.activeButton;
                if (old != id) {
                    lit.previousButton = old;
                } else {
                    old = lit.previousButton;
                }
                lit.activeButton = id;
                if (old != I::None) {
                    redraw = old;
                    lit.previousButton = I::None;
                }
            }
            return {lit.activeButton == id ? button.litOrPressedFace : button.otherFace, redraw};
        case K::Momentary:
            if (!pressed) {
                return {button.otherFace, I::None};
            }
            if (lit.activeButton != id) {
                lit.previousButton = lit.activeButton;
            }
            lit.activeButton = id;
            return {button.litOrPressedFace, TakePrevious(lit)};
        case K::LatchClearing:
            lit.previousButton = lit.activeButton;
            lit.activeButton = I::None;
            return {pressed ? button.litOrPressedFace : button.otherFace, TakePrevious(lit)};
        case K::Plain:
            break;
    }
    return {pressed ? button.litOrPressedFace : button.otherFace, I::None};
}

}  // namespace orvik
