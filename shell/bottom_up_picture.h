// Drawing of bottom-up pictures: the decoded frame and every bitmap resource keep their rows
// bottom row first (the bitmaps are stored upside down for this), so they are drawn flipped
// top to bottom. Scaling is nearest-neighbour: rows and columns are repeated or dropped,
// never blended.
#pragma once

#include <QImage>
#include <QRect>

namespace orvik {

class CMavFileManager;

// The clip library's current picture as it lies in its buffer (Format_BGR888, bottom row
// first), without a copy: valid until the next frame is loaded. Null when its size is beyond
// the buffer.
QImage LibraryPicture(const CMavFileManager& files);

// The same, upright and copied: the frame as the viewer shows it.
QImage UprightLibraryPicture(const CMavFileManager& files);

// Draws the whole of picture (Format_BGR888, its first row the bottom of what it shows)
// stretched onto target of surface (Format_RGB32), flipped, inside clip and the surface.
void DrawBottomUp(const QImage& picture, QImage& surface, const QRect& target, const QRect& clip);

// A bitmap resource (":/bitmaps/<id>.bmp") as stored, in Format_BGR888; null when missing.
QImage LoadStoredBitmap(int id);

// A bitmap resource stretched to size and turned upright, in Format_RGB32; null when missing.
QImage UprightBitmap(int id, const QSize& size);

}  // namespace orvik
