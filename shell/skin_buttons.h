// The twelve owner-drawn buttons of the main window: which face each shows, and the rule of
// which transport button is drawn lit.
#pragma once

namespace orvik {

enum class ButtonKind {
    Latching,       // Play, Pause, Stop, Play backward: stays lit while it is the active button
    Momentary,      // folder and step buttons: pressed face only while held
    LatchClearing,  // Choose folder, Search: any redraw clears the lit button
    Plain,          // Colour settings, Close: leaves the lit button alone
};

struct SkinButtonFaces {
    int id;
    ButtonKind kind;
    int litOrPressedFace;  // bitmap resource numbers
    int otherFace;
};

// The button's kind and faces, or nullptr for a control that is not one of the twelve.
const SkinButtonFaces* FindSkinButton(int id);

// activeButton: the transport button drawn lit (0 = none). previousButton: a button that
// has to be redrawn unlit (0 = none).
struct LitButtons {
    int activeButton = 0;
    int previousButton = 0;
};

struct FaceChoice {
    int face;        // bitmap resource number to draw
    int invalidate;  // a button to redraw because it lost the light, 0 = none
};

// Applies the lit-button rule for one draw of button (pressed = held down now) and returns
// the face to draw. previousButton is left 0 whenever a button to redraw is returned.
FaceChoice ChooseFace(const SkinButtonFaces& button, bool pressed, LitButtons& lit);

}  // namespace orvik
