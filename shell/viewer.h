// CMavViewer: the one object behind the main window. It owns the two surfaces the window is
// painted from (the skin, which is the whole window background, and the picture surface,
// whose top-left 640 x 480 is the picture area), the navigation state, and the single clip
// library object. It also paints the owner-drawn buttons from their bitmap faces.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

#include "library/file_manager.h"
#include "platform/path_capacity.h"
#include "shell/skin_buttons.h"

class QPainter;

namespace orvik {

inline constexpr int kSurfaceWidth = 1280;
inline constexpr int kSurfaceHeight = 1024;
inline constexpr int kPictureAreaWidth = 640;
inline constexpr int kPictureAreaHeight = 480;

class CMavViewer {
  public:
    // clientSize: the area the skin is stretched to.
    explicit CMavViewer(const QSize& clientSize);
    virtual ~CMavViewer();
    CMavViewer(const CMavViewer&) = delete;
    CMavViewer& operator=(const CMavViewer&) = delete;

    // Draws the face of button id (pressed = held down) over rect, after applying the
    // lit-button rule, and gives the button that lost the light and has to be redrawn
    // (None when no button did). The face is loaded from the resources at every draw.
    ControlId DrawSkinButton(LitButtons& lit, QPainter& painter, ControlId id, bool pressed,
                             const QRect& rect) const;

    // Draws the clip library's current picture into the picture area (PresentFrame's
    // drawing), by DrawPicture.
    void DrawCurrentPicture();
    // Draws a decoded picture (bits: bottom-up BGR rows of PictureStride bytes, in a buffer
    // of kPictureBitsBytes) into the picture area: unscaled from its lower-left corner when
    // 640 or more wide, else enlarged by half about the area's centre. A size beyond the
    // buffer draws nothing.
    void DrawPicture(const std::uint8_t* bits, int width, int height);
    // Blackens the top-left width x height of the picture surface: the area an old picture
    // covered when a frame of another size arrives.
    void BlackenPictureArea(int width, int height);

    // Blackens the picture buffer over its full capacity and the picture area.
    void BlankPicture();

    Playhead playhead;      // play state, play clock and the position within the folder
    QImage pictureSurface;  // Format_RGB32, 1280 x 1024
    QImage skinSurface;     // Format_RGB32, 1280 x 1024, the skin stretched to the client area
    char folderPath[kPathCapacity] = " ";
    CMavFileManager fileManager;
    bool frameDirty = false;  // a loaded frame waits for the tick to present it
    std::int32_t speedMin = 1, speedMax = 8, speed = 5;
    std::int32_t positionMin = 1, positionMax = 1;
    std::int32_t pictureLeft = 0, pictureTop = 0;
};

}  // namespace orvik
