#include "shell/skin_buttons.h"

#include <array>

namespace orvik {
namespace {

using K = ButtonKind;

const std::array<SkinButtonFaces, 12> kButtons = {{
    {1002, K::Latching, 138, 139},
    {1005, K::Latching, 140, 141},
    {1008, K::Latching, 135, 137},
    {1011, K::Latching, 148, 149},
    {1003, K::Momentary, 144, 145},
    {1004, K::Momentary, 130, 128},
    {1006, K::Momentary, 131, 134},
    {1007, K::Momentary, 142, 143},
    {1000, K::LatchClearing, 146, 147},
    {1026, K::LatchClearing, 154, 153},
    {1012, K::Plain, 150, 151},
    {1016, K::Plain, 156, 155},
}};

// Hands previousButton out as the button to redraw, and clears it.
int TakePrevious(LitButtons& lit) {
    const int redraw = lit.previousButton;
    lit.previousButton = 0;
    return redraw;
}

}  // namespace

const SkinButtonFaces* FindSkinButton(int id) {
    for (const SkinButtonFaces& button : kButtons) {
        if (button.id == id) {
            return &button;
        }
    }
    return nullptr;
}

FaceChoice ChooseFace(const SkinButtonFaces& button, bool pressed, LitButtons& lit) {
    const int id = button.id;
    int redraw = 0;
    switch (button.kind) {
        case K::Latching:
            if (pressed) {
                int old = lit.activeButton;
                if (old != id) {
                    lit.previousButton = old;
                } else {
                    old = lit.previousButton;
                }
                lit.activeButton = id;
                if (old != 0) {
                    redraw = old;
                    lit.previousButton = 0;
                }
            }
            return {lit.activeButton == id ? button.litOrPressedFace : button.otherFace, redraw};
        case K::Momentary:
            if (!pressed) {
                return {button.otherFace, 0};
            }
            if (lit.activeButton != id) {
                lit.previousButton = lit.activeButton;
            }
            lit.activeButton = id;
            return {button.litOrPressedFace, TakePrevious(lit)};
        case K::LatchClearing:
            lit.previousButton = lit.activeButton;
            lit.activeButton = 0;
            return {pressed ? button.litOrPressedFace : button.otherFace, TakePrevious(lit)};
        case K::Plain:
            break;
    }
    return {pressed ? button.litOrPressedFace : button.otherFace, 0};
}

}  // namespace orvik
