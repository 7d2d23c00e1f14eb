#include "shell/main_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include "library/play_state.h"
#include "settings/settings_store.h"
#include "shell/bottom_up_picture.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/library_turn.h"
#include "shell/skin_button.h"
#include "text/bounded_format.h"

namespace orvik {
namespace {

constexpr int kIconBitmap = 159;
constexpr int kIconSize = 32;
constexpr int kPlaybackPeriodMs = 100;
// The frame around the picture area is this far outside the picture on every side.
constexpr int kPictureFrameMargin = 2;

// Disabled and enabled together, in this order; Choose folder and the speed slider stay
// enabled always.
constexpr ControlId kNavigationControls[] = {
    ControlId::Play,           ControlId::NextFolder,     ControlId::PreviousFolder,
    ControlId::Pause,          ControlId::StepBack,       ControlId::StepForward,
    ControlId::Stop,           ControlId::PlayBackward,   ControlId::Search,
    ControlId::ColourSettings, ControlId::TimeBox,        ControlId::DateBox,
    ControlId::FramePath,      ControlId::PositionSlider, ControlId::PositionBox};

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

}  // namespace

MainWindow::MainWindow(FolderChooser chooseFolder)
    : QDialog(nullptr, kWindowFlags), chooseFolder(std::move(chooseFolder)) {
    const DialogTemplate& dialog = MainWindowTemplate();
    setWindowTitle(dialog.caption);
    setFixedSize(DialogClientSize(dialog));
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
    BuildActions();
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
    controls = std::make_unique<DialogControls>(
        MainWindowTemplate(), this, [this](ControlId id, QWidget* parent) {
            return new SkinButton(
                id,
                [this](QPainter& painter, ControlId button, bool pressed, const QRect& rect) {
                    PaintSkinButton(painter, button, pressed, rect);
                },
                parent);
        });
    framePathBox = controls->Get<QLineEdit>(ControlId::FramePath);
    speedBox = controls->Get<QLineEdit>(ControlId::SpeedBox);
    positionBox = controls->Get<QLineEdit>(ControlId::PositionBox);
    dateBox = controls->Get<QLineEdit>(ControlId::DateBox);
    timeBox = controls->Get<QLineEdit>(ControlId::TimeBox);
    speedSlider = controls->Get<QSlider>(ControlId::SpeedSlider);
    positionSlider = controls->Get<QSlider>(ControlId::PositionSlider);
    pictureFrame = controls->Get<QFrame>(ControlId::PictureFrame);
    ConnectControls();
}

void MainWindow::ConnectControls() {
    const std::pair<ControlId, void (MainWindow::*)()> commands[] = {
        {ControlId::ChooseFolder, &MainWindow::ChooseFolder},
        {ControlId::Play, &MainWindow::Play},
        {ControlId::PlayBackward, &MainWindow::PlayBackward},
        {ControlId::Pause, &MainWindow::Pause},
        {ControlId::Stop, &MainWindow::Stop},
        {ControlId::NextFolder, &MainWindow::NextFolder},
        {ControlId::PreviousFolder, &MainWindow::PreviousFolder},
        {ControlId::StepForward, &MainWindow::StepForward},
        {ControlId::StepBack, &MainWindow::StepBack},
        {ControlId::ColourSettings, &MainWindow::OpenColourSettings},
        {ControlId::Search, &MainWindow::Search},
        {ControlId::Close, &MainWindow::CloseWindow},
    };
    for (const auto& [id, command] : commands) {
        connect(controls->Get<QPushButton>(id), &QPushButton::clicked, this, command);
    }
    // Slider notifications count only once the start-up is done.
    connect(speedSlider, &QAbstractSlider::actionTriggered, this, [this] {
        if (controlsReady) {
            SpeedSliderMoved();
        }
    });
    connect(positionSlider, &QAbstractSlider::actionTriggered, this, [this] {
        if (controlsReady) {
            PositionSliderMoved();
        }
    });
}

void MainWindow::CreateViewer() {
    viewer = std::make_unique<CMavViewer>(QSize(windowWidth, windowHeight));
    CMavViewer& v = *viewer;
    speedSlider->setRange(v.speedMin, v.speedMax);
    speedSlider->setValue(v.speed);
    speedBox->setText(QString::number(v.speed));
    positionSlider->setRange(v.positionMin, v.positionMax);
    positionSlider->setValue(v.playhead.position);
    positionBox->setText(QString::number(v.playhead.position));
    v.pictureLeft = pictureFrame->x() + kPictureFrameMargin;
    v.pictureTop = pictureFrame->y() + kPictureFrameMargin;
    controls->Get<QWidget>(ControlId::PreviousFolder)->setEnabled(true);
    controls->Get<QWidget>(ControlId::NextFolder)->setEnabled(true);
}

// Drawing a skin button is what moves the lit-button light: the viewer's DrawSkinButton
// applies the rule as it draws the face, so a press, or any redraw of Choose folder or
// Search (the window uncovered, say), can put out the light of another button, which is
// then redrawn from here.
void MainWindow::PaintSkinButton(QPainter& painter, ControlId id, bool pressed, const QRect& rect) {
    if (!viewer) {
        return;
    }
    const ControlId unlit = viewer->DrawSkinButton(lit, painter, id, pressed, rect);
    if (unlit != ControlId::None) {
        Redraw(unlit);
    }
}

void MainWindow::SpeedSliderMoved() {
    viewer->speed = speedSlider->sliderPosition();
    speedBox->setText(QString::number(viewer->speed));
}

// Taking the position slider loads the frame under the thumb at every step and pauses.
void MainWindow::PositionSliderMoved() {
    CMavViewer& v = *viewer;
    LibraryTurn turn(libraryBusy);
    if (!turn) {
        positionSlider->setSliderPosition(positionSlider->value());  // the move is refused
        return;
    }
    v.playhead.position = positionSlider->sliderPosition();
    positionBox->setText(QString::number(v.playhead.position));
    if (v.fileManager.GoToFile(v.playhead, v.playhead.position - 1) == 0) {
        v.frameDirty = true;
        SetText(timeBox, v.fileManager.TimeText());
        SetText(framePathBox, v.fileManager.FileText());
    }
    v.playhead.state = PlayState::Paused;
    PutOutLight();
}

void MainWindow::PutOutLight() {
    lit.previousButton = lit.activeButton;
    lit.activeButton = ControlId::None;
    if (lit.previousButton != ControlId::None) {
        Redraw(lit.previousButton);
        lit.previousButton = ControlId::None;
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), viewer->skinSurface, QRect(0, 0, windowWidth, windowHeight));
    const QRect pictureArea(viewer->pictureLeft, viewer->pictureTop, kPictureAreaWidth,
                            kPictureAreaHeight);
    painter.drawImage(pictureArea.topLeft(), viewer->pictureSurface,
                      QRect(0, 0, kPictureAreaWidth, kPictureAreaHeight));
    if (!note.isEmpty()) {  // a brief word over the picture's foot, where the user looks
        const QRect band(pictureArea.left() + 8, pictureArea.bottom() - 36,
                         pictureArea.width() - 16, 28);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 170));
        painter.drawRoundedRect(band, 6, 6);
        painter.setPen(Qt::white);
        painter.drawText(
            band, Qt::AlignCenter,
            painter.fontMetrics().elidedText(note, Qt::ElideMiddle, band.width() - 12));
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // the cancel command is not handled: Escape does nothing
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        CloseWindow();  // the dialog's default command closes the program
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

void MainWindow::CloseWindow() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::ResetPositionRange() {
    CMavViewer& v = *viewer;
    v.positionMin = 1;
    v.positionMax = v.fileManager.FileCount();
    // The slider takes the full count: it has an int range, with no 16-bit bound to wrap.
    positionSlider->setRange(v.positionMin, v.positionMax);
    v.playhead.position = 1;
    ShowPosition();
}

void MainWindow::SetControlsEnabled(bool enable) {
    if (!enable) {
        for (QLineEdit* box : {timeBox, dateBox, framePathBox, positionBox}) {
            box->clear();
        }
        positionSlider->setValue(0);
        for (const ControlId id :
             {ControlId::Stop, ControlId::Pause, ControlId::Play, ControlId::PlayBackward}) {
            Redraw(id);
        }
        viewer->BlankPicture();
        update();
    }
    for (const ControlId id : kNavigationControls) {
        controls->Get<QWidget>(id)->setEnabled(enable);
    }
}

void MainWindow::ShowCurrentTexts() {
    SetText(dateBox, viewer->fileManager.DateText());
    SetText(timeBox, viewer->fileManager.TimeText());
    SetText(framePathBox, viewer->fileManager.FileText());
}

void MainWindow::SetText(QLineEdit* box, const char* text) {
    box->setText(QString::fromLocal8Bit(text));
}

void MainWindow::ShowPositionNumber(std::int32_t number) {
    shownNumber = number;
    positionSlider->setValue(number);
    positionBox->setText(QString::number(number));
}

void MainWindow::Redraw(ControlId id) {
    controls->Get<QWidget>(id)->update();
}

void MainWindow::LightStop(ControlId playButton) {
    lit.activeButton = lit.previousButton = ControlId::Stop;
    for (const ControlId id : {ControlId::Stop, playButton, ControlId::Pause}) {
        Redraw(id);
    }
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
