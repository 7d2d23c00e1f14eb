#include "shell/colour_settings/colour_setting_dialog.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include "settings/settings_store.h"
#include "shell/dialog/dialog_controls.h"

namespace orvik {

namespace {

constexpr int kSliderMinimum = 0;
constexpr int kSliderMaximum = 99;
constexpr int kSliderLineStep = 1;
constexpr int kSliderPageStep = 10;
constexpr char kBackgroundBitmap[] = ":/bitmaps/168.bmp";

// The slider and number box of each adjustment, in the order of kStoredAdjustments.
struct AdjustmentControls {
    ControlId slider;
    ControlId box;
};
constexpr std::array<AdjustmentControls, 4> kAdjustmentControls = {{
    {ControlId::BrightnessSlider, ControlId::BrightnessBox},
    {ControlId::ContrastSlider, ControlId::ContrastBox},
    {ControlId::HueSlider, ControlId::HueBox},
    {ControlId::SaturationSlider, ControlId::SaturationBox},
}};
static_assert(kAdjustmentControls.size() == kStoredAdjustments.size());

}  // namespace

ColourSettingDialog::ColourSettingDialog()
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    const DialogTemplate& dialog = ColourSettingsTemplate();
    setWindowTitle(QString::fromLatin1(dialog.caption));
    setFixedSize(DialogClientSize(dialog));
    BuildControls();
}

void ColourSettingDialog::Open() {
    open = true;
    move(0, 0);
    adjustments = ReadStoredAdjustments();
    emit adjustmentsChanged(adjustments);
    ShowStoredValues();
    // A bitmap that is missing leaves the background undrawn; nothing is reported.
    background = PrepareBackground(QImage(QString::fromLatin1(kBackgroundBitmap)), size());
    show();
}

void ColourSettingDialog::BuildControls() {
    const DialogControls controls(ColourSettingsTemplate(), this);
    // OK posts the close request, as the close box does.
    connect(controls.Get<QPushButton>(ControlId::Ok), &QPushButton::clicked, this,
            [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
    for (std::size_t row = 0; row < kAdjustmentControls.size(); ++row) {
        sliders[row] = controls.Get<QSlider>(kAdjustmentControls[row].slider);
        numberBoxes[row] = controls.Get<QLineEdit>(kAdjustmentControls[row].box);
    }
}

void ColourSettingDialog::ShowStoredValues() {
    for (std::size_t row = 0; row < sliders.size(); ++row) {
        const std::int32_t value = adjustments.*kStoredAdjustments[row].field;
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
    if (!open) {
        return;
    }
    // The slider position is the adjustment value itself.
    adjustments.*kStoredAdjustments[row].field = position;
    numberBoxes[row]->setText(QString::number(position));
    emit adjustmentsChanged(adjustments);
    emit pictureChanged();
}

void ColourSettingDialog::EndWithoutSaving() {
    saveOnClose = false;
    close();
}

void ColourSettingDialog::reject() {}

void ColourSettingDialog::closeEvent(QCloseEvent* event) {
    // Only an open window gets here: a close request that arrives after closing is dropped.
    if (saveOnClose && open) {
        WriteStoredAdjustments(adjustments);
    }
    open = false;
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
