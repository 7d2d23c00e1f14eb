#include "resources/dialog_template.h"

#include <array>

namespace orvik {
namespace {

using K = ControlKind;
using I = ControlId;

constexpr unsigned kWhiteEdit = kWhiteBrush;
constexpr unsigned kReadOnlyBox = kReadOnly | kWhiteBrush;

const std::array<ControlTemplate, 21> kMainControls = {{
    {I::ChooseFolder, K::Button, 11, 319, 24, 18, "...", kOwnerDrawn},
    {I::FramePath, K::Edit, 41, 322, 305, 12, "", kReadOnlyBox | kAutoHScroll},
    {I::Play, K::Button, 102, 292, 25, 27, "", kOwnerDrawn},
    {I::NextFolder, K::Button, 169, 295, 24, 21, "", kOwnerDrawn},
    {I::PreviousFolder, K::Button, 11, 295, 24, 21, "", kOwnerDrawn},
    {I::Pause, K::Button, 127, 295, 21, 21, "", kOwnerDrawn},
    {I::StepBack, K::Button, 35, 295, 21, 21, "", kOwnerDrawn},
    {I::StepForward, K::Button, 148, 295, 21, 21, "", kOwnerDrawn},
    {I::Stop, K::Button, 56, 295, 21, 21, "", kOwnerDrawn},
    {I::SpeedSlider, K::Slider, 286, 276, 46, 12, "", kNoTicks | kWhiteBrush},
    {I::SpeedBox, K::Edit, 334, 276, 12, 12, "", kReadOnlyBox | kCentred},
    {I::PlayBackward, K::Button, 77, 292, 25, 27, "Rewind", kOwnerDrawn},
    {I::ColourSettings, K::Button, 193, 295, 33, 21, "Save As", kOwnerDrawn},
    {I::PositionSlider, K::Slider, 12, 276, 201, 12, "", kNoTicks | kWhiteBrush},
    {I::PictureFrame, K::Static, 18, 20, 322, 242, "", kBlackFrame},
    {I::PositionBox, K::Edit, 214, 276, 29, 12, "", kReadOnlyBox | kCentred},
    {I::Close, K::Button, 349, 23, 10, 9, "C", kOwnerDrawn | kHidden},
    {I::FolderLabel, K::Static, 19, 243, 26, 9, "Folder:", kCentred | kHidden | kWhiteBrush},
    {I::DateBox, K::Edit, 269, 299, 42, 12, "", kCentred | kWhiteEdit | kAutoHScroll},
    {I::TimeBox, K::Edit, 312, 299, 34, 12, "", kWhiteEdit | kAutoHScroll},
    {I::Search, K::Button, 228, 295, 41, 21, "Search", kOwnerDrawn},
}};

constexpr unsigned kColourSlider = kNoTicks | kBorder | kWhiteBrush;
constexpr unsigned kColourBox = kReadOnly | kAutoHScroll | kBorder | kWhiteBrush;

const std::array<ControlTemplate, 10> kColourControls = {{
    {I::Ok, K::Button, 192, 131, 46, 16, "OK", kDefault},
    {I::BrightnessSlider, K::Slider, 63, 20, 138, 15, "", kColourSlider},
    {I::ContrastSlider, K::Slider, 64, 43, 138, 15, "", kColourSlider},
    {I::HueSlider, K::Slider, 64, 67, 138, 15, "", kColourSlider},
    {I::SaturationSlider, K::Slider, 64, 92, 138, 15, "", kColourSlider},
    {I::BrightnessBox, K::Edit, 204, 20, 34, 14, "", kColourBox},
    {I::ContrastBox, K::Edit, 204, 43, 34, 14, "", kColourBox},
    {I::HueBox, K::Edit, 204, 67, 34, 14, "", kColourBox},
    {I::SaturationBox, K::Edit, 204, 92, 34, 14, "", kColourBox},
    {I::Unnumbered, K::GroupBox, 7, 7, 242, 113, "", kStyleNone},
}};

// The main window's font, "System" 10 pt, makes a unit 2 px across and down; the colour
// settings window's, "MS Shell Dlg" 8 pt, 3/2 px across and 13/8 px down.
const DialogTemplate kMainWindow{101, "Orvik View", 360, 340, {2, 1, 2, 1}, kMainControls};
const DialogTemplate kColourSettings{166, "Color Setting", 256,
                                     150, {3, 2, 13, 8},   kColourControls};

// Rounds a * numerator / denominator to the nearest integer (a >= 0).
int ScaleRounded(int a, int numerator, int denominator) {
    return (a * numerator * 2 + denominator) / (2 * denominator);
}

}  // namespace

const DialogTemplate& MainWindowTemplate() {
    return kMainWindow;
}
const DialogTemplate& ColourSettingsTemplate() {
    return kColourSettings;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, ControlId id) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

PixelRect DialogPixels(const DialogTemplate& dialog, int x, int y, int width, int height) {
    const DialogUnits& u = dialog.units;
    return PixelRect{ScaleRounded(x, u.xNumerator, u.xDenominator),
                     ScaleRounded(y, u.yNumerator, u.yDenominator),
                     ScaleRounded(width, u.xNumerator, u.xDenominator),
                     ScaleRounded(height, u.yNumerator, u.yDenominator)};
}

}  // namespace orvik
