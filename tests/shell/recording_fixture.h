// Recordings for the window tests, made on the fly: date folders of real frame files, each
// frame one flat colour so that the picture on screen tells which frame it is.
#pragma once

#include <QColor>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "testing/support/temp_tree.h"

namespace orvik::test {

// Hundredths of a second since midnight.
constexpr std::int32_t TimeOfDay(int hours, int minutes, int seconds, int hundredths = 0) {
    return hours * 360000 + minutes * 6000 + seconds * 100 + hundredths;
}

struct FrameAt {
    std::int32_t timeKey;
    QColor colour;
    int width = 640;
    int height = 480;
    QRect box = {};  // drawn in white over the colour: something that moves
};

// "CAM1" + HHMMSSCC + ".JPG", as the recorder names the frame captured at timeKey (the
// viewer shows it in capitals in the path box).
std::string FrameFileName(std::int32_t timeKey);

// Writes the frames into folder (relative to the tree's root), making the folder.
void WriteFrames(const TempTree& tree, const std::string& folder,
                 const std::vector<FrameAt>& frames);

// Whether shown is, of the frame colours given, nearest to wanted. The picture adjustments
// stretch a frame's colour, but never so far that it comes nearer another frame's.
bool NearestIs(QRgb shown, const QColor& wanted, const std::vector<QColor>& frameColours);

}  // namespace orvik::test
