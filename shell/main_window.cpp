#include "shell/main_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>

#include "colour/settings/colour_setting_dialog.h"
#include "colour/settings/settings_store.h"
#include "library/play_state.h"
#include "resources/dialog_template.h"
#include "shell/bottom_up_picture.h"
#include "shell/library_turn.h"
#include "shell/skin_button.h"
#include "shell/text/bounded_format.h"

namespace orvik {
namespace {

constexpr int kIconBitmap = 159;
constexpr int kIconSize = 32;
constexpr int kPlaybackPeriodMs = 100;
constexpr int kSpeedSliderId = 1009;
constexpr int kPositionSliderId = 1013;
constexpr int kPictureFrameId = 1014;
// The frame around the picture area is this far outside the picture on every side.
constexpr int kPictureFrameMargin = 2;

// Disabled and enabled together, in this order; 1000 and 1009 stay enabled always.
constexpr int kNavigationControls[] = {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1011,
                                       1026, 1012, 1025, 1024, 1001, 1013, 1015};

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

void PaintWhite(QWidget& control) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}

QFrame* MakeBlackFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(palette);
    return frame;
}

}  // namespace

MainWindow::MainWindow(FolderChooser chooseFolder)
    : QDialog(nullptr, kWindowFlags), chooseFolder(std::move(chooseFolder)) {
    const DialogTemplate& dialog = MainWindowTemplate();
    setWindowTitle(dialog.caption);
    const PixelRect client = MainWindowPixels(0, 0, dialog.width, dialog.height);
    setFixedSize(client.width, client.height);
    BuildControls();

    controlsReady = false;
    // The window's frame and caption count as nothing: the outer size is the client size.
    windowWidth = width();
    windowHeight = height();
    CreateViewer();
    playbackTimer.setTimerType(Qt::PreciseTimer);
    playbackTimer.setInterval(kPlaybackPeriodMs);
    connect(&playbackTimer, &QTimer::timeout, this,
            [this] { PlaybackTick(kPlaybackTimerIdentity); });
    playbackTimer.start();
    SetControlsEnabled(false);
    setWindowIcon(QIcon(QPixmap::fromImage(UprightBitmap(kIconBitmap, {kIconSize, kIconSize}))));
    ApplyAdjustments(ReadStoredAdjustments());
    controlsReady = true;
}

MainWindow::~MainWindow() {
    playbackTimer.stop();
    if (colourDialogWindow != nullptr) {
        colourDialogWindow->EndWithoutSaving();  // its hooks reach into this window
    }
}

void MainWindow::BuildControls() {
    const SkinButton::FacePainter paintFace = [this](QPainter& painter, int id, bool pressed,
                                                     const QRect& rect) {
        if (viewer) {
            viewer->DrawSkinButton(*this, lit, painter, id, pressed, rect);
        }
    };
    for (const ControlTemplate& c : MainWindowTemplate().controls) {
        QWidget* control = nullptr;
        switch (c.kind) {
            case ControlKind::Button: {
                auto* button = new SkinButton(c.id, paintFace, this);
                button->setText(c.text);
                connect(button, &QPushButton::clicked, this, [this, id = c.id] { Command(id); });
                control = button;
                break;
            }
            case ControlKind::Edit: {
                auto* edit = new QLineEdit(this);
                edit->setReadOnly(c.style & kReadOnly);
                edit->setAlignment((c.style & kCentred) ? Qt::AlignCenter : Qt::AlignLeft);
                control = edit;
                break;
            }
            case ControlKind::Slider: {
                auto* slider = new QSlider(Qt::Horizontal, this);
                slider->setTickPosition(QSlider::NoTicks);
                connect(slider, &QAbstractSlider::actionTriggered, this, [this, id = c.id] {
                    if (!controlsReady) {
                        return;
                    }
                    id == kSpeedSliderId ? SpeedSliderMoved() : PositionSliderMoved();
                });
                control = slider;
                break;
            }
            case ControlKind::Static:
                if (c.style & kBlackFrame) {
                    control = MakeBlackFrame(this);
                } else {
                    auto* label = new QLabel(c.text, this);
                    label->setAlignment(Qt::AlignCenter);
                    control = label;
                }
                break;
            case ControlKind::GroupBox:
                continue;  // the main window has none
        }
        control->setObjectName(QString::number(c.id));
        const PixelRect r = MainWindowPixels(c.x, c.y, c.width, c.height);
        control->setGeometry(r.x, r.y, r.width, r.height);
        if (c.style & kWhiteBrush) {
            PaintWhite(*control);
        }
        control->setVisible(!(c.style & kHidden));
    }
}

void MainWindow::CreateViewer() {
    viewer = std::make_unique<CMavViewer>(this, QSize(windowWidth, windowHeight));
    CMavViewer& v = *viewer;
    v.speedSlider = findChild<QSlider*>(QString::number(kSpeedSliderId));
    v.speedEditId = 1010;
    v.speedSlider->setRange(v.speedMin, v.speedMax);
    v.speedSlider->setValue(v.speed);
    Edit(v.speedEditId)->setText(QString::number(v.speed));
    v.positionSlider = findChild<QSlider*>(QString::number(kPositionSliderId));
    v.positionEditId = 1015;
    v.positionSlider->setRange(v.positionMin, v.positionMax);
    v.positionSlider->setValue(v.position);
    Edit(v.positionEditId)->setText(QString::number(v.position));
    const QPoint frame = Control(kPictureFrameId)->pos();
    v.pictureLeft = frame.x() + kPictureFrameMargin;
    v.pictureTop = frame.y() + kPictureFrameMargin;
    Control(1004)->setEnabled(true);
    Control(1003)->setEnabled(true);
}

void MainWindow::OpenFolder(const char* rootPath) {
    if (libraryBusy) {
        return;
    }
    BoundedFormat(viewer->folderPath, sizeof viewer->folderPath, "%s", rootPath);
    ChooseFolderCommand(false);
}

void MainWindow::SpeedSliderMoved() {
    viewer->speed = viewer->speedSlider->sliderPosition();
    Edit(viewer->speedEditId)->setText(QString::number(viewer->speed));
}

void MainWindow::PositionSliderMoved() {
    CMavViewer& v = *viewer;
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        v.positionSlider->setSliderPosition(v.positionSlider->value());  // the move is refused
        return;
    }
    v.position = v.positionSlider->sliderPosition();
    Edit(v.positionEditId)->setText(QString::number(v.position));
    if (v.fileManager.GoToFile(v.playClock, v.position - 1) == 0) {
        v.frameDirty = 1;
        SetText(1025, v.fileManager.timeText);
        SetText(1001, v.fileManager.fileText);
    }
    v.playState = Paused;
    lit.previousButton = lit.activeButton;
    lit.activeButton = 0;
    if (lit.previousButton != 0) {
        Invalidate(lit.previousButton);
        lit.previousButton = 0;
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), viewer->skinSurface, QRect(0, 0, windowWidth, windowHeight));
    painter.drawImage(QPoint(viewer->pictureLeft, viewer->pictureTop), viewer->pictureSurface,
                      QRect(0, 0, kPictureAreaWidth, kPictureAreaHeight));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // the cancel command is not handled: Escape does nothing
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Command(1);  // the dialog's default command closes the program
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (colourDialogWindow != nullptr) {
        colourDialogWindow->EndWithoutSaving();
    }
    playbackTimer.stop();
    QDialog::closeEvent(event);
}

void MainWindow::PostClose() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::ResetPositionRange() {
    CMavViewer& v = *viewer;
    v.positionMin = 1;
    v.positionMax = v.fileManager.FileCount();
    v.positionSlider = findChild<QSlider*>(QString::number(kPositionSliderId));
    v.positionEditId = 1015;
    // The slider takes the full count: it has an int range, with no 16-bit bound to wrap.
    v.positionSlider->setRange(v.positionMin, v.positionMax);
    v.position = 1;
    ShowPosition();
}

void MainWindow::SetControlsEnabled(bool enable) {
    if (!enable) {
        for (const int id : {1025, 1024, 1001, 1015}) {
            Edit(id)->clear();
        }
        viewer->positionSlider->setValue(0);
        for (const int id : {1008, 1005, 1002, 1011}) {
            Invalidate(id);
        }
        viewer->BlankPicture();
        update();
    }
    for (const int id : kNavigationControls) {
        Control(id)->setEnabled(enable);
    }
}

void MainWindow::ShowCurrentTexts() {
    SetText(1024, viewer->fileManager.dateText);
    SetText(1025, viewer->fileManager.timeText);
    SetText(1001, viewer->fileManager.fileText);
}

void MainWindow::ShowPositionNumber(std::int32_t number) {
    viewer->positionSlider->setValue(number);
    Edit(viewer->positionEditId)->setText(QString::number(number));
}

void MainWindow::SetText(int id, const char* text) {
    Edit(id)->setText(QString::fromLocal8Bit(text));
}

void MainWindow::Invalidate(int id) {
    Control(id)->update();
}

void MainWindow::LightStop() {
    lit.activeButton = lit.previousButton = 1008;
}

QWidget* MainWindow::Control(int id) const {
    return findChild<QWidget*>(QString::number(id));
}

QLineEdit* MainWindow::Edit(int id) const {
    return findChild<QLineEdit*>(QString::number(id));
}

void MainWindow::ApplyAdjustments(const PictureAdjustments& adjustments) {
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        return;
    }
    viewer->fileManager.SetPictureAdjustments(adjustments.brightness, adjustments.contrast,
                                              adjustments.hue, adjustments.saturation);
}

}  // namespace orvik
