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
}

}  // namespace orvik
