// The twelve owner-drawn buttons of the main window: which face each shows, and the rule of
// which transport button is drawn lit.
#pragma once

#include "resources/control_ids.h"

namespace orvik {

enum class ButtonKind {
    Latching,       // Play, Pause, Stop, Play backward: stays lit while it is the active button
    Momentary,      // folder and step buttons: pressed face only while held
    LatchClearing,  // Choose folder, Search: any redraw clears the lit button
    Plain,          // Colour settings, Close: leaves the lit button alone
};

struct SkinButtonFaces {
    ControlId id;
    ButtonKind kind;
    int litOrPressedFace;  // bitmap resource numbers
    int otherFace;
};

// The button's kind and faces, or nullptr for a control that is not one of the twelve.
const SkinButtonFaces* FindSkinButton(ControlId id);

// activeButton: the transport button drawn lit. previousButton: a button that has to be
// redrawn unlit.
struct LitButtons {
    ControlId activeButton = ControlId::None;
    ControlId previousButton = ControlId::None;
};

struct FaceChoice {
    int face;              // bitmap resource number to draw
    ControlId invalidate;  // a button to redraw because it lost the light
};

// The lit-button rule, which runs whenever a button is drawn: drawing a latching button
// pressed lights it, a momentary one lights while held, and any draw of Choose folder or
// Search (a press, or the window being uncovered) puts the light out. Applies the rule for
// one draw of button (pressed = held down now) and returns the face to draw.
// previousButton is left None whenever a button to redraw is returned.
FaceChoice ChooseFace(const SkinButtonFaces& button, bool pressed, LitButtons& lit);

}  // namespace orvik
