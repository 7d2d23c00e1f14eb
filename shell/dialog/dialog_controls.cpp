#include "shell/dialog/dialog_controls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSlider>

namespace orvik {
namespace {

QWidget* MakeButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setText(QString::fromLatin1(control.text));
    button->setDefault((control.style & kDefault) != 0);
    return button;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly((control.style & kReadOnly) != 0);
    edit->setAlignment((control.style & kCentred) != 0 ? Qt::AlignCenter : Qt::AlignLeft);
    return edit;
}

QWidget* MakeSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

QWidget* MakeStatic(const ControlTemplate& control, QWidget* parent) {
    if ((control.style & kBlackFrame) != 0) {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(palette);
        return frame;
    }
    auto* label = new QLabel(QString::fromLatin1(control.text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QWidget* MakeGroupBox(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    // A group box only frames the controls inside it. It comes last in the template, so it
    // would lie on top of them and take their mouse presses: it goes beneath.
    group->lower();
    return group;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent,
                     const DialogControls::ControlMaker& makeOwn) {
    if (makeOwn) {
        if (QWidget* own = makeOwn(control, parent)) {
            return own;
        }
    }
    switch (control.kind) {
        case ControlKind::Button:
            return MakeButton(control, parent);
        case ControlKind::Edit:
            return MakeEdit(control, parent);
        case ControlKind::Slider:
            return MakeSlider(parent);
        case ControlKind::Static:
            return MakeStatic(control, parent);
        case ControlKind::GroupBox:
            return MakeGroupBox(parent);
    }
    return nullptr;
}

// The controls that have the white background brush.
void PaintWhite(QWidget& control) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}

}  // namespace

DialogControls::DialogControls(const DialogTemplate& dialog, QWidget* parent,
                               const ControlMaker& makeOwn) {
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = MakeControl(control, parent, makeOwn);
        const PixelRect r =
            DialogPixels(dialog, control.x, control.y, control.width, control.height);
        widget->setGeometry(r.x, r.y, r.width, r.height);
        widget->setObjectName(QString::number(static_cast<int>(control.id)));
        if ((control.style & kWhiteBrush) != 0) {
            PaintWhite(*widget);
        }
        widget->setVisible((control.style & kHidden) == 0);
        controls[control.id] = widget;
    }
}

QSize DialogClientSize(const DialogTemplate& dialog) {
    const PixelRect client = DialogPixels(dialog, 0, 0, dialog.width, dialog.height);
    return QSize(client.width, client.height);
}

}  // namespace orvik
