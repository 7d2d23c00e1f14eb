// The two dialog templates as data: each control's ID, kind, rectangle in dialog units,
// template text and style. The windows build their controls from these, and the control
// IDs stay the system's own, so commands dispatch on them.
#pragma once

#include <span>

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
    int id;  // -1 for a control without an ID
    ControlKind kind;
    int x, y, width, height;  // dialog units
    const char* text;
    unsigned style;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;  // dialog units
    const char* font;
    int fontPoints;
    std::span<const ControlTemplate> controls;
};

// Dialog 101, "Orvik View": 360 x 340 units, 21 controls.
const DialogTemplate& MainWindowTemplate();
// Dialog 166, "Color Setting": 256 x 150 units, 10 controls.
const DialogTemplate& ColourSettingsTemplate();

// The template's control with this ID, or nullptr.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);

// Dialog units to pixels. Main window (font "System" 10 pt): 2 px a unit across and down.
// Colour settings (font "MS Shell Dlg" 8 pt): x * 3/2 and y * 13/8, rounded to nearest.
struct PixelRect {
    int x, y, width, height;
};
PixelRect MainWindowPixels(int x, int y, int width, int height);
PixelRect ColourSettingsPixels(int x, int y, int width, int height);

}  // namespace orvik
