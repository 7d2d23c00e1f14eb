#include "colour/settings/colour_setting_dialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSlider>

#include "colour/settings/settings_store.h"
#include "resources/dialog_template.h"

namespace orvik {

ColourSettingDialog* colourDialogWindow = nullptr;
PictureAdjustments dialogAdjustments;

namespace {

constexpr int kOkButtonId = 1;
constexpr int kSliderMinimum = 0;
constexpr int kSliderMaximum = 99;
constexpr int kSliderLineStep = 1;
constexpr int kSliderPageStep = 10;
constexpr char kBackgroundBitmap[] = ":/bitmaps/168.bmp";

// The slider and number box of each adjustment, in the order of kStoredAdjustments.
struct AdjustmentControls {
    int sliderId;
    int boxId;
};
constexpr std::array<AdjustmentControls, 4> kAdjustmentControls = {{
    {1030, 1027},  // brightness
    {1031, 1028},  // contrast
    {1032, 1029},  // hue
    {1033, 1034},  // saturation
}};
static_assert(kAdjustmentControls.size() == kStoredAdjustments.size());

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Button: {
            auto* button = new QPushButton(QString::fromLatin1(control.text), parent);
            button->setDefault((control.style & kDefault) != 0);
            widget = button;
            break;
        }
        case ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, parent);
            slider->setTickPosition(QSlider::NoTicks);
            widget = slider;
            break;
        }
        case ControlKind::Edit: {
            auto* box = new QLineEdit(parent);
            box->setReadOnly((control.style & kReadOnly) != 0);
            widget = box;
            break;
        }
        case ControlKind::GroupBox:
            widget = new QGroupBox(parent);
            // A group box only frames the controls inside it. It comes last in the template,
            // so it would lie on top of them and take their mouse presses: it goes beneath.
            widget->lower();
            break;
        case ControlKind::Static:
            widget = new QLabel(QString::fromLatin1(control.text), parent);
            break;
    }
    if ((control.style & kWhiteBrush) != 0) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::Base, Qt::white);
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    const PixelRect rect =
        ColourSettingsPixels(control.x, control.y, control.width, control.height);
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
    widget->setObjectName(QString::number(control.id));
    return widget;
}

}  // namespace

ColourSettingDialog::ColourSettingDialog(ApplyHook apply, FrameDirtyHook markFrameDirty)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint),
      apply(std::move(apply)),
      markFrameDirty(std::move(markFrameDirty)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const DialogTemplate& dialog = ColourSettingsTemplate();
    setWindowTitle(QString::fromLatin1(dialog.caption));
    const PixelRect client = ColourSettingsPixels(0, 0, dialog.width, dialog.height);
    setFixedSize(client.width, client.height);
    BuildControls();

    colourDialogWindow = this;
    move(0, 0);
    dialogAdjustments = ReadStoredAdjustments();
    if (this->apply) {
        this->apply(dialogAdjustments);
    }
    ShowStoredValues();
    // A bitmap that is missing leaves the background undrawn; nothing is reported.
    background = PrepareBackground(QImage(QString::fromLatin1(kBackgroundBitmap)), size());
}

ColourSettingDialog::~ColourSettingDialog() {
    if (colourDialogWindow == this) {
        colourDialogWindow = nullptr;
    }
}

void ColourSettingDialog::BuildControls() {
    for (const ControlTemplate& control : ColourSettingsTemplate().controls) {
        QWidget* widget = MakeControl(control, this);
        if (control.id == kOkButtonId) {
            // OK posts the close request, as the close box does.
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this] {
                QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
            });
        }
        for (std::size_t row = 0; row < kAdjustmentControls.size(); ++row) {
            if (control.id == kAdjustmentControls[row].sliderId) {
                sliders[row] = static_cast<QSlider*>(widget);
            } else if (control.id == kAdjustmentControls[row].boxId) {
                numberBoxes[row] = static_cast<QLineEdit*>(widget);
            }
        }
    }
}

void ColourSettingDialog::ShowStoredValues() {
    for (std::size_t row = 0; row < sliders.size(); ++row) {
        const std::int32_t value = dialogAdjustments.*kStoredAdjustments[row].field;
        QSlider* slider = sliders[row];
        slider->setRange(kSliderMinimum, kSliderMaximum);
        // The box shows the stored value as it is, also outside the slider's range.
        numberBoxes[row]->setText(QString::number(value));
        slider->setSingleStep(kSliderLineStep);
        slider->setPageStep(kSliderPageStep);
        slider->setValue(value);
        // Connected only now, so that setting up the sliders applies nothing.
        connect(slider, &QSlider::valueChanged, this,
                [this, row](int position) { SliderMoved(row, position); });
    }
}

void ColourSettingDialog::SliderMoved(std::size_t row, int position) {
    if (colourDialogWindow != this) {
        return;
    }
    // The slider position is the adjustment value itself.
    dialogAdjustments.*kStoredAdjustments[row].field = position;
    numberBoxes[row]->setText(QString::number(position));
    if (apply) {
        apply(dialogAdjustments);
    }
    if (markFrameDirty) {
        markFrameDirty();
    }
}

void ColourSettingDialog::EndWithoutSaving() {
    saveOnClose = false;
    close();
}

void ColourSettingDialog::reject() {}

void ColourSettingDialog::closeEvent(QCloseEvent* event) {
    // Only an open window gets here: a close request that arrives after closing is dropped.
    if (saveOnClose) {
        WriteStoredAdjustments(dialogAdjustments);
    }
    colourDialogWindow = nullptr;
    background = QImage();
    event->accept();
}

void ColourSettingDialog::paintEvent(QPaintEvent*) {
    // The child controls paint themselves over this.
    if (!background.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, background);
    }
}

QImage PrepareBackground(const QImage& stored, QSize size) {
    if (stored.isNull() || size.isEmpty()) {
        return QImage();
    }
    return stored.mirrored(false, true)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace orvik
