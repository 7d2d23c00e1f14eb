// The controls of the two windows by the system's own numbers: the dialog templates give
// every control its number, and the windows, their tests and their commands name controls
// by these.
#pragma once

namespace orvik {

enum class ControlId : int {
    None = 0,
    Ok = 1,  // Color Setting's OK button; in the main window, Enter's default command

    // The main window, "Orvik View" (template 101).
    ChooseFolder = 1000,
    FramePath = 1001,  // read-only box: the path of the frame shown
    Play = 1002,
    NextFolder = 1003,
    PreviousFolder = 1004,
    Pause = 1005,
    StepBack = 1006,
    StepForward = 1007,
    Stop = 1008,
    SpeedSlider = 1009,
    SpeedBox = 1010,
    PlayBackward = 1011,
    ColourSettings = 1012,
    PositionSlider = 1013,
    PictureFrame = 1014,  // the black frame around the picture area
    PositionBox = 1015,
    Close = 1016,        // hidden
    FolderLabel = 1017,  // hidden
    DateBox = 1024,      // the date shown, and the search's date
    TimeBox = 1025,      // the time shown, and the search's time
    Search = 1026,

    // The colour settings window, "Color Setting" (template 166).
    BrightnessBox = 1027,
    ContrastBox = 1028,
    HueBox = 1029,
    BrightnessSlider = 1030,
    ContrastSlider = 1031,
    HueSlider = 1032,
    SaturationSlider = 1033,
    SaturationBox = 1034,

    Unnumbered = -1,  // a control the windows never name (the group box)
};

}  // namespace orvik
