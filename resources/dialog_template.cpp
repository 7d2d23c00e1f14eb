#include "resources/dialog_template.h"

#include <array>

namespace orvik {
namespace {

using K = ControlKind;

constexpr unsigned kWhiteEdit = kWhiteBrush;
constexpr unsigned kReadOnlyBox = kReadOnly | kWhiteBrush;

const std::array<ControlTemplate, 21> kMainControls = {{
    {1000, K::Button, 11, 319, 24, 18, "...", kOwnerDrawn},
    {1001, K::Edit, 41, 322, 305, 12, "", kReadOnlyBox | kAutoHScroll},
    {1002, K::Button, 102, 292, 25, 27, "", kOwnerDrawn},
    {1003, K::Button, 169, 295, 24, 21, "", kOwnerDrawn},
    {1004, K::Button, 11, 295, 24, 21, "", kOwnerDrawn},
    {1005, K::Button, 127, 295, 21, 21, "", kOwnerDrawn},
    {1006, K::Button, 35, 295, 21, 21, "", kOwnerDrawn},
    {1007, K::Button, 148, 295, 21, 21, "", kOwnerDrawn},
    {1008, K::Button, 56, 295, 21, 21, "", kOwnerDrawn},
    {1009, K::Slider, 286, 276, 46, 12, "", kNoTicks | kWhiteBrush},
    {1010, K::Edit, 334, 276, 12, 12, "", kReadOnlyBox | kCentred},
    {1011, K::Button, 77, 292, 25, 27, "Rewind", kOwnerDrawn},
    {1012, K::Button, 193, 295, 33, 21, "Save As", kOwnerDrawn},
    {1013, K::Slider, 12, 276, 201, 12, "", kNoTicks | kWhiteBrush},
    {1014, K::Static, 18, 20, 322, 242, "", kBlackFrame},
    {1015, K::Edit, 214, 276, 29, 12, "", kReadOnlyBox | kCentred},
    {1016, K::Button, 349, 23, 10, 9, "C", kOwnerDrawn | kHidden},
    {1017, K::Static, 19, 243, 26, 9, "Folder:", kCentred | kHidden | kWhiteBrush},
    {1024, K::Edit, 269, 299, 42, 12, "", kCentred | kWhiteEdit | kAutoHScroll},
    {1025, K::Edit, 312, 299, 34, 12, "", kWhiteEdit | kAutoHScroll},
    {1026, K::Button, 228, 295, 41, 21, "Search", kOwnerDrawn},
}};

constexpr unsigned kColourSlider = kNoTicks | kBorder | kWhiteBrush;
constexpr unsigned kColourBox = kReadOnly | kAutoHScroll | kBorder | kWhiteBrush;

const std::array<ControlTemplate, 10> kColourControls = {{
    {1, K::Button, 192, 131, 46, 16, "OK", kDefault},
    {1030, K::Slider, 63, 20, 138, 15, "", kColourSlider},
    {1031, K::Slider, 64, 43, 138, 15, "", kColourSlider},
    {1032, K::Slider, 64, 67, 138, 15, "", kColourSlider},
    {1033, K::Slider, 64, 92, 138, 15, "", kColourSlider},
    {1027, K::Edit, 204, 20, 34, 14, "", kColourBox},
    {1028, K::Edit, 204, 43, 34, 14, "", kColourBox},
    {1029, K::Edit, 204, 67, 34, 14, "", kColourBox},
    {1034, K::Edit, 204, 92, 34, 14, "", kColourBox},
    {-1, K::GroupBox, 7, 7, 242, 113, "", kStyleNone},
}};

const DialogTemplate kMainWindow{101, "Orvik View", 360, 340, "System", 10, kMainControls};
const DialogTemplate kColourSettings{166, "Color Setting", 256, 150, "MS Shell Dlg", 8,
                                     kColourControls};

// Rounds a * numerator / denominator to the nearest integer (a >= 0).
int ScaleRounded(int a, int numerator, int denominator) {
    return (a * numerator * 2 + denominator) / (2 * denominator);
}

}  // namespace

const DialogTemplate& MainWindowTemplate() { return kMainWindow; }
const DialogTemplate& ColourSettingsTemplate() { return kColourSettings; }

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

PixelRect MainWindowPixels(int x, int y, int width, int height) {
    return PixelRect{2 * x, 2 * y, 2 * width, 2 * height};
}

PixelRect ColourSettingsPixels(int x, int y, int width, int height) {
    return PixelRect{ScaleRounded(x, 3, 2), ScaleRounded(y, 13, 8), ScaleRounded(width, 3, 2),
                     ScaleRounded(height, 13, 8)};
}

}  // namespace orvik
