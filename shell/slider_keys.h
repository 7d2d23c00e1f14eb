// A slider that has the keyboard focus keeps its own keys (arrows, Home, End, Page Up and
// Page Down) rather than the window's shortcuts, as the date and time boxes keep theirs.
#pragma once

class QAbstractSlider;

namespace orvik {

void KeepSliderKeys(QAbstractSlider* slider);

}  // namespace orvik
