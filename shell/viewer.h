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
class QSlider;
class QWidget;

namespace orvik {

inline constexpr int kSurfaceWidth = 1280;
inline constexpr int kSurfaceHeight = 1024;
inline constexpr int kPictureAreaWidth = 640;
inline constexpr int kPictureAreaHeight = 480;

class CMavViewer {
  public:
    // ownerWindow: the main window. clientSize: the area the skin is stretched to.
    CMavViewer(QWidget* ownerWindow, const QSize& clientSize);
    virtual ~CMavViewer();
    CMavViewer(const CMavViewer&) = delete;
    CMavViewer& operator=(const CMavViewer&) = delete;

    // Draws the face of button id (pressed = held down) over rect, after applying the
    // lit-button rule; a button that lost the light is redrawn. The face is loaded from the
    // resources at every draw. Controls that are not one of the twelve buttons get nothing.
    void DrawSkinButton(QWidget& window, LitButtons& lit, QPainter& painter, int id, bool pressed,
                        const QRect& rect) const;

    // Draws the clip library's current picture into the picture area (PresentFrame's
    // drawing: unscaled from its lower-left corner when 640 or more wide, else enlarged by
    // half about the area's centre). A size beyond the picture buffer draws nothing.
    void DrawCurrentPicture();

    // Blackens the picture buffer over its full capacity and the picture area.
    void BlankPicture();

    std::int32_t playClock = 0;
    std::int32_t playState = 0;
    QImage pictureSurface;  // Format_RGB32, 1280 x 1024
    QImage skinSurface;     // Format_RGB32, 1280 x 1024, the skin stretched to the client area
    QWidget* ownerWindow;
    char folderPath[kPathCapacity] = " ";
    CMavFileManager fileManager;
    std::int32_t frameDirty = 0;
    QSlider* speedSlider = nullptr;
    std::int32_t speedEditId = 1010;
    std::int32_t speedMin = 1, speedMax = 8, speed = 5;
    QSlider* positionSlider = nullptr;
    std::int32_t positionEditId = 1015;
    std::int32_t positionMin = 1, positionMax = 1, position = 1;
    std::int32_t pictureLeft = 0, pictureTop = 0;
};

}  // namespace orvik
