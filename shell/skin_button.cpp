#include "shell/skin_button.h"

#include <QPainter>

namespace orvik {

SkinButton::SkinButton(ControlId id, FacePainter paintFace, QWidget* parent)
    : QPushButton(parent), id(id), paintFace(std::move(paintFace)) {
    // Enter belongs to the window (it closes it), never to a focused button.
    setAutoDefault(false);
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFace(painter, id, isDown(), rect());
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(16, 20, 26, 150));  // dimmed: nothing to press yet
    }
    if (hasFocus()) {  // where Space and Enter would go from Tab
        painter.setPen(QPen(QColor(255, 255, 255, 210), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

}  // namespace orvik
