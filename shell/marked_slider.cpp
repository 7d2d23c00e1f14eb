#include "shell/marked_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace orvik {
namespace {

const QColor kStartColour(40, 200, 90);
const QColor kEndColour(230, 70, 60);

}  // namespace

MarkedSlider::MarkedSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
}

void MarkedSlider::SetMarks(std::optional<int> newStart, std::optional<int> newEnd) {
    start = newStart;
    end = newEnd;
    update();
}

int MarkedSlider::XOf(int value) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.left() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
}

void MarkedSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    QPainter painter(this);
    for (const auto& [mark, colour] :
         {std::pair{start, kStartColour}, std::pair{end, kEndColour}}) {
        if (mark && *mark >= minimum() && *mark <= maximum()) {
            painter.fillRect(QRect(XOf(*mark) - 1, 0, 3, height()), colour);
        }
    }
}

}  // namespace orvik
