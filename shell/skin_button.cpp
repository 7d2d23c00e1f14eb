#include "shell/skin_button.h"

#include <QPainter>

#include "shell/bottom_up_picture.h"
#include "shell/button_lights.h"

namespace orvik {

SkinButton::SkinButton(const SkinButtonFaces& faces, ButtonLights& lights, QWidget* parent)
    : QPushButton(parent), faces(faces), lights(lights) {
    // Enter belongs to the window, never to a focused button.
    setAutoDefault(false);
}

const QImage& SkinButton::Face(int bitmap) {
    QImage& face = upright[bitmap];
    if (face.size() != size()) {
        face = UprightBitmap(bitmap, size());
    }
    return face;
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& face = Face(lights.FaceFor(faces, isDown()));
    if (!face.isNull()) {
        painter.drawImage(0, 0, face);
    }
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(16, 20, 26, 150));  // dimmed: nothing to press yet
    }
    if (hasFocus()) {  // where Space and Enter would go from Tab
        painter.setPen(QPen(QColor(255, 255, 255, 210), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

}  // namespace orvik
