#include "shell/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QTimer>

#include "settings/settings_store.h"
#include "shell/bottom_up_picture.h"
#include "shell/clip_exporter.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/picture_area.h"
#include "shell/player.h"
#include "shell/skin_button.h"
#include "shell/tool_windows.h"
#include "text/bounded_format.h"

namespace orvik {
namespace {

constexpr int kSkinBitmap = 122;
constexpr int kIconBitmap = 159;
constexpr int kIconSize = 32;
constexpr int kNoteMilliseconds = 2500;

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

constexpr std::int32_t kSecond = 100, kMinute = 60 * kSecond;  // in hundredths

}  // namespace

MainWindow::MainWindow(FolderChooser chooseFolder)
    : QDialog(nullptr, kWindowFlags),
      chooseFolder(std::move(chooseFolder)),
      player(new Player(this)),
      saver(new FrameSaver(*player, this)),
      exporter(new ClipExporter(*player, this)),
      tools(new ToolWindows(*player, this,
                            [this](QWidget* window) {
                                AddKeyActions(window, KeyScope::Viewer,
                                              [this](Command command) { Run(command); });
                            })),
      noteTimer(new QTimer(this)) {
    const DialogTemplate& dialog = MainWindowTemplate();
    setWindowTitle(dialog.caption);
    setFixedSize(DialogClientSize(dialog));
    // The skin is stretched to the client area once; painting the window is a plain copy.
    skin = QImage(size(), QImage::Format_RGB32);
    skin.fill(Qt::black);
    DrawBottomUp(LoadStoredBitmap(kSkinBitmap), skin, skin.rect(), skin.rect());
    controls = std::make_unique<DialogControls>(
        dialog, this, [this](const ControlTemplate& control, QWidget* parent) {
            return MakeOwnControl(control, parent);
        });
    dateBox = Control<QLineEdit>(ControlId::DateBox);
    timeBox = Control<QLineEdit>(ControlId::TimeBox);
    speedSlider = Control<QSlider>(ControlId::SpeedSlider);
    positionSlider = Control<QSlider>(ControlId::PositionSlider);
    ConnectButtons();
    ConnectPlayer();
    ConnectSliders();
    SetControlsEnabled(false);
    BuildKeys();
    setWindowIcon(QIcon(QPixmap::fromImage(UprightBitmap(kIconBitmap, {kIconSize, kIconSize}))));
    player->setAdjustments(ReadStoredAdjustments());
    controlsReady = true;
}

MainWindow::~MainWindow() {
    if (colourSettings != nullptr && colourSettings->IsOpen()) {
        colourSettings->EndWithoutSaving();
    }
}

QWidget* MainWindow::MakeOwnControl(const ControlTemplate& control, QWidget* parent) {
    if (control.id == ControlId::PictureFrame) {
        pictureArea = new PictureArea(parent);
        return pictureArea;
    }
    const SkinButtonFaces* faces = FindSkinButton(control.id);
    if (faces == nullptr || (control.style & kOwnerDrawn) == 0) {
        return nullptr;
    }
    auto* button = new SkinButton(*faces, lights, parent);
    button->setText(QString::fromLatin1(control.text));
    return button;
}

void MainWindow::ConnectButtons() {
    const std::pair<ControlId, std::function<void()>> commands[] = {
        {ControlId::ChooseFolder, [this] { ChooseFolder(); }},
        {ControlId::Play, [this] { player->play(); }},
        {ControlId::PlayBackward, [this] { player->playBackward(); }},
        {ControlId::Pause, [this] { player->pause(); }},
        {ControlId::Stop, [this] { player->stop(); }},
        {ControlId::NextFolder, [this] { player->nextFolder(); }},
        {ControlId::PreviousFolder, [this] { player->previousFolder(); }},
        {ControlId::StepForward, [this] { player->stepForward(); }},
        {ControlId::StepBack, [this] { player->stepBack(); }},
        {ControlId::ColourSettings, [this] { OpenColourSettings(); }},
        {ControlId::Search, [this] { player->search(dateBox->text(), timeBox->text()); }},
        {ControlId::Close, [this] { Run(Command::CloseViewer); }},
    };
    for (const auto& [id, command] : commands) {
        connect(Control<QAbstractButton>(id), &QAbstractButton::clicked, this, command);
    }
    connect(&lights, &ButtonLights::redrawNeeded, this,
            [this](ControlId id) { Control<QWidget>(id)->update(); });
}

void MainWindow::ConnectPlayer() {
    auto* pathBox = Control<QLineEdit>(ControlId::FramePath);
    connect(player, &Player::dateTextChanged, dateBox, &QLineEdit::setText);
    connect(player, &Player::timeTextChanged, timeBox, &QLineEdit::setText);
    connect(player, &Player::fileTextChanged, pathBox, &QLineEdit::setText);
    connect(player, &Player::positionRangeChanged, this,
            [this](int maximum) { positionSlider->setRange(1, maximum); });
    connect(player, &Player::shownNumberChanged, this, &MainWindow::ShowNumber);
    connect(player, &Player::speedChanged, this, [this](int speed) {
        Control<QLineEdit>(ControlId::SpeedBox)->setText(QString::number(speed));
    });
    connect(player, &Player::listEndReached, &lights, &ButtonLights::LightStop);
    connect(player, &Player::positionTaken, &lights, &ButtonLights::PutOut);
    connect(player, &Player::pictureSizeChanging, pictureArea, &PictureArea::Blacken);
    connect(player, &Player::framePresented, this, [this] {
        pictureArea->Present(LibraryPicture(player->Library()));
        tools->follow();
    });
    connect(player, &Player::recordingOpened, this, &MainWindow::ShowRecording);
    connect(exporter, &ClipExporter::marksChanged, tools, &ToolWindows::showMarks);
    connect(saver, &FrameSaver::noted, this, &MainWindow::ShowNote);
    connect(exporter, &ClipExporter::noted, this, &MainWindow::ShowNote);
}

// Slider moves count only once the start-up is done. Taking the position slider shows the
// frame under the thumb at every step and pauses; while the library is taken, the move is
// refused.
void MainWindow::ConnectSliders() {
    speedSlider->setRange(Player::kSpeedMin, Player::kSpeedMax);
    speedSlider->setValue(player->Speed());
    Control<QLineEdit>(ControlId::SpeedBox)->setText(QString::number(player->Speed()));
    positionSlider->setRange(1, 1);
    ShowNumber(1);
    connect(speedSlider, &QAbstractSlider::actionTriggered, this, [this] {
        if (controlsReady) {
            player->setSpeed(speedSlider->sliderPosition());
        }
    });
    connect(positionSlider, &QAbstractSlider::actionTriggered, this, [this] {
        if (!controlsReady) {
            return;
        }
        if (player->Busy()) {
            positionSlider->setSliderPosition(positionSlider->value());
            return;
        }
        player->showNumber(positionSlider->sliderPosition());
    });
    Control<QWidget>(ControlId::PreviousFolder)->setEnabled(true);
    Control<QWidget>(ControlId::NextFolder)->setEnabled(true);
}

void MainWindow::BuildKeys() {
    SetToolTips([this](ControlId id) { return Control<QWidget>(id); });
    const QList<QAction*> keys =
        AddKeyActions(this, KeyScope::Viewer, [this](Command command) { Run(command); });
    // The picture takes the focus, so that keys work at once, and carries the menu.
    pictureArea->setFocusPolicy(Qt::StrongFocus);
    pictureArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    pictureArea->addActions(MenuActions(keys));
    pictureArea->setFocus();
    // The number boxes only show; the keys belong to the window. A slider the user has
    // taken keeps its own keys, as the date and time boxes do.
    Control<QWidget>(ControlId::SpeedBox)->setFocusPolicy(Qt::NoFocus);
    Control<QWidget>(ControlId::PositionBox)->setFocusPolicy(Qt::NoFocus);
    speedSlider->installEventFilter(this);
    positionSlider->installEventFilter(this);
    noteTimer->setSingleShot(true);
    noteTimer->setInterval(kNoteMilliseconds);
    connect(noteTimer, &QTimer::timeout, this, [this] { ShowNote(QString()); });
}

void MainWindow::Run(Command command) {
    switch (command) {
        case Command::PlayOrPause:
            return PressButton(player->Playing() ? ControlId::Pause : ControlId::Play);
        case Command::StepForward:
            return PressButton(ControlId::StepForward);
        case Command::StepBack:
            return PressButton(ControlId::StepBack);
        case Command::SecondOn:
            return player->seek(kSecond);
        case Command::SecondBack:
            return player->seek(-kSecond);
        case Command::MinuteOn:
            return player->seek(kMinute);
        case Command::MinuteBack:
            return player->seek(-kMinute);
        case Command::NextFolder:
            return PressButton(ControlId::NextFolder);
        case Command::PreviousFolder:
            return PressButton(ControlId::PreviousFolder);
        case Command::FolderStart:
            return player->goToFolderStart();
        case Command::FolderEnd:
            return player->goToFolderEnd();
        case Command::PlayOrFaster:
            return PlayOrFaster(true);
        case Command::PlayBackwardOrFaster:
            return PlayOrFaster(false);
        case Command::Pause:
            return PressButton(ControlId::Pause);
        case Command::Faster:
            return ChangeSpeed(+1);
        case Command::Slower:
            return ChangeSpeed(-1);
        case Command::Snapshot:
            return saver->saveSnapshot();
        case Command::SaveFrameAs:
            return saver->saveFrameAs();
        case Command::CopyFrame:
            return saver->copyFrame();
        case Command::MarkClipStart:
            return exporter->markStart();
        case Command::MarkClipEnd:
            return exporter->markEnd();
        case Command::ExportClip:
            return exporter->exportClip();
        case Command::FrameWindow:
            return tools->showFrameWindow();
        case Command::Timeline:
            return tools->showTimeline();
        case Command::KeyList:
            return tools->showKeyList();
        case Command::CloseViewer:
            // The posted close: the window closes once the current event is done.
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
            return;
        default:
            return;  // the Frame window's own
    }
}

void MainWindow::PressButton(ControlId id) {
    auto* button = Control<QAbstractButton>(id);
    if (!button->isEnabled()) {
        return;
    }
    button->setDown(true);
    button->repaint();  // the pressed face, and with it the lit-button rule
    button->setDown(false);
    button->click();
}

void MainWindow::PlayOrFaster(bool forward) {
    const PlayState running = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
    if (player->State() == running) {
        ChangeSpeed(+1);
    } else {
        PressButton(forward ? ControlId::Play : ControlId::PlayBackward);
    }
}

void MainWindow::ChangeSpeed(int change) {
    speedSlider->triggerAction(change > 0 ? QAbstractSlider::SliderSingleStepAdd
                                          : QAbstractSlider::SliderSingleStepSub);
}

void MainWindow::ChooseFolder() {
    if (player->Busy()) {
        return;
    }
    char path[kPathCapacity];
    BoundedFormat(path, sizeof path, "%s", player->FolderPath());
    chooseFolder(this, path);  // the user may cancel: the path stays
    player->open(QString::fromLocal8Bit(path));
}

void MainWindow::OpenFolder(const QString& rootPath) {
    player->open(rootPath);
}

// The colour settings window opens with no owner and without blocking, so the main window
// stays usable; while one is open a second press does nothing.
void MainWindow::OpenColourSettings() {
    if (player->Busy() || (colourSettings != nullptr && colourSettings->IsOpen())) {
        return;
    }
    colourSettings = new ColourSettingDialog;
    connect(colourSettings, &ColourSettingDialog::adjustmentsChanged, player,
            &Player::setAdjustments);
    connect(colourSettings, &ColourSettingDialog::pictureChanged, player, &Player::representFrame);
    colourSettings->Open();
}

void MainWindow::ShowRecording(bool hasFrame) {
    tools->showRecording();
    exporter->clearMarks();
    if (!hasFrame) {
        lights.Clear();
    }
    SetControlsEnabled(hasFrame);
    if (hasFrame) {
        pictureArea->setFocus();  // keys work at once
    }
}

void MainWindow::SetControlsEnabled(bool enable) {
    if (!enable) {
        for (const ControlId id : {ControlId::TimeBox, ControlId::DateBox, ControlId::FramePath,
                                   ControlId::PositionBox}) {
            Control<QLineEdit>(id)->clear();
        }
        positionSlider->setValue(0);
        for (const ControlId id :
             {ControlId::Stop, ControlId::Pause, ControlId::Play, ControlId::PlayBackward}) {
            Control<QWidget>(id)->update();
        }
        pictureArea->Blank();
    }
    for (const ControlId id : kNavigationControls) {
        Control<QWidget>(id)->setEnabled(enable);
    }
}

void MainWindow::ShowNumber(int number) {
    positionSlider->setValue(number);
    Control<QLineEdit>(ControlId::PositionBox)->setText(QString::number(number));
}

const QString& MainWindow::Note() const {
    return pictureArea->Note();
}

void MainWindow::ShowNote(const QString& text) {
    pictureArea->SetNote(text);
    if (!text.isEmpty()) {
        noteTimer->start();
    }
}

void MainWindow::SetSaveFileChooser(const FrameSaver::SaveFileChooser& chooser) {
    saver->SetSaveFileChooser(chooser);
    exporter->SetSaveFileChooser(chooser);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool sliderKey = key->modifiers() == Qt::NoModifier &&
                               (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                                key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                                key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                                key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown);
        if (sliderKey) {
            event->accept();  // the slider's own, not the window's
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, skin);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (colourSettings != nullptr && colourSettings->IsOpen()) {
        colourSettings->EndWithoutSaving();
    }
    player->Timer().stop();
    QDialog::reject();  // ends the dialog; the window's own reject() is Escape's, and idle
    event->accept();
}

}  // namespace orvik
