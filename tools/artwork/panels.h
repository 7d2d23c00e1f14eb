// The larger pictures: the main window's skin (122), the colour settings background (168)
// and the window icon (159), drawn upright; and the desktop icons, the window icon's
// drawing at other sizes.
#pragma once

#include <QImage>

namespace orvik::artwork {

// 704 x 688: drawn in main-window client pixels (720 x 680) and fitted to the bitmap, so
// that it lands under the controls once the window stretches it back.
QImage DrawSkin();

// 399 x 266: the colour settings window stretches it to its 384 x 244 client area.
QImage DrawColourBackground();

// 32 x 32, on slate.
QImage DrawIcon();

// size x size, the same drawing scaled, on a transparent ground.
QImage DrawDesktopIcon(int size);

}  // namespace orvik::artwork
