// The two dialog templates as data: each control's ID, kind, rectangle in dialog units,
// template text and style. The windows build their controls from these (shell/dialog), and
// the control IDs stay the system's own.
#pragma once

#include <span>

#include "resources/control_ids.h"

namespace orvik {

enum class ControlKind { Button, Edit, Slider, Static, GroupBox };

// Style flags a control may carry.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kOwnerDrawn = 1u << 0,   // button whose face is a bitmap pair
    kReadOnly = 1u << 1,     // edit box
    kCentred = 1u << 2,      // edit or static text centred
    kHidden = 1u << 3,       // not visible
    kDefault = 1u << 4,      // the dialog's default push button
    kBlackFrame = 1u << 5,   // static drawn as a black frame
    kWhiteBrush = 1u << 6,   // painted on the white background brush
    kNoTicks = 1u << 7,      // slider without tick marks
    kBorder = 1u << 8,       // border and sunken edge
    kAutoHScroll = 1u << 9,  // edit scrolls horizontally
};

struct ControlTemplate {
    ControlId id;
    ControlKind kind;
    int x, y, width, height;  // dialog units
    const char* text;
    unsigned style;
};

// Dialog units to pixels, rounded to nearest: x * xNumerator / xDenominator across, and
// likewise down. A dialog unit follows the dialog's font.
struct DialogUnits {
    int xNumerator, xDenominator, yNumerator, yDenominator;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;  // dialog units
    DialogUnits units;
    std::span<const ControlTemplate> controls;
};

// Dialog 101, "Orvik View": 360 x 340 units, 21 controls.
const DialogTemplate& MainWindowTemplate();
// Dialog 166, "Color Setting": 256 x 150 units, 10 controls.
const DialogTemplate& ColourSettingsTemplate();

// The template's control with this ID, or nullptr.
const ControlTemplate* FindControl(const DialogTemplate& dialog, ControlId id);

struct PixelRect {
    int x, y, width, height;
};
// A rectangle in the dialog's units, in pixels.
PixelRect DialogPixels(const DialogTemplate& dialog, int x, int y, int width, int height);

}  // namespace orvik
