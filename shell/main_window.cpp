#include "shell/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>

#include "settings/settings_store.h"
#include "shell/bottom_up_picture.h"
#include "shell/clip_exporter.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/picture_area.h"
#include "shell/player.h"
#include "shell/player_controls.h"
#include "shell/skin_button.h"
#include "shell/slider_keys.h"
#include "shell/tool_windows.h"
#include "text/bounded_format.h"

namespace orvik {
namespace {

constexpr int kSkinBitmap = 122;
constexpr int kIconBitmap = 159;
constexpr int kIconSize = 32;

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
      tools(new ToolWindows(*player, this, [this](QWidget* window) {
          AddKeyActions(window, KeyScope::Viewer, [this](Command command) { Run(command); });
      })) {
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
    playerControls = new PlayerControls(*player, *controls, this);
    Control<QWidget>(ControlId::PreviousFolder)->setEnabled(true);
    Control<QWidget>(ControlId::NextFolder)->setEnabled(true);
    ConnectButtons();
    ConnectPlayer();
    SetControlsEnabled(false);
    BuildCommands();
    BuildKeys();
    setWindowIcon(QIcon(QPixmap::fromImage(UprightBitmap(kIconBitmap, {kIconSize, kIconSize}))));
    player->setAdjustments(ReadStoredAdjustments());
    playerControls->SetReady();
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
        {ControlId::Search,
         [this] {
             player->search(Control<QLineEdit>(ControlId::DateBox)->text(),
                            Control<QLineEdit>(ControlId::TimeBox)->text());
         }},
        {ControlId::Close, [this] { Run(Command::CloseViewer); }},
    };
    for (const auto& [id, command] : commands) {
        connect(Control<QAbstractButton>(id), &QAbstractButton::clicked, this, command);
    }
    connect(&lights, &ButtonLights::redrawNeeded, this,
            [this](ControlId id) { Control<QWidget>(id)->update(); });
}

void MainWindow::ConnectPlayer() {
    connect(player, &Player::listEndReached, &lights, &ButtonLights::LightStop);
    connect(player, &Player::positionTaken, &lights, &ButtonLights::PutOut);
    connect(player, &Player::pictureSizeChanging, pictureArea, &PictureArea::Blacken);
    connect(player, &Player::framePresented, this, [this] {
        pictureArea->Present(LibraryPicture(player->Library()));
        tools->follow();
    });
    connect(player, &Player::recordingOpened, this, &MainWindow::ShowRecording);
    connect(exporter, &ClipExporter::marksChanged, tools, &ToolWindows::showMarks);
    connect(saver, &FrameSaver::noted, pictureArea, &PictureArea::SetNote);
    connect(exporter, &ClipExporter::noted, pictureArea, &PictureArea::SetNote);
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
    KeepSliderKeys(Control<QSlider>(ControlId::SpeedSlider));
    KeepSliderKeys(Control<QSlider>(ControlId::PositionSlider));
}

void MainWindow::Run(Command command) {
    if (const auto found = commands.find(command); found != commands.end()) {
        found->second();
    }
}

// What each key of the viewer does; transport keys press their buttons as the mouse does.
void MainWindow::BuildCommands() {
    const auto press = [this](ControlId id) { return [this, id] { PressButton(id); }; };
    const auto seek = [this](std::int32_t by) { return [this, by] { player->seek(by); }; };
    commands = {
        {Command::PlayOrPause,
         [this] { PressButton(player->Playing() ? ControlId::Pause : ControlId::Play); }},
        {Command::StepForward, press(ControlId::StepForward)},
        {Command::StepBack, press(ControlId::StepBack)},
        {Command::SecondOn, seek(kSecond)},
        {Command::SecondBack, seek(-kSecond)},
        {Command::MinuteOn, seek(kMinute)},
        {Command::MinuteBack, seek(-kMinute)},
        {Command::NextFolder, press(ControlId::NextFolder)},
        {Command::PreviousFolder, press(ControlId::PreviousFolder)},
        {Command::FolderStart, [this] { player->goToFolderStart(); }},
        {Command::FolderEnd, [this] { player->goToFolderEnd(); }},
        {Command::PlayOrFaster, [this] { PlayOrFaster(true); }},
        {Command::PlayBackwardOrFaster, [this] { PlayOrFaster(false); }},
        {Command::Pause, press(ControlId::Pause)},
        {Command::Faster, [this] { ChangeSpeed(+1); }},
        {Command::Slower, [this] { ChangeSpeed(-1); }},
        {Command::Snapshot, [this] { saver->saveSnapshot(); }},
        {Command::SaveFrameAs, [this] { saver->saveFrameAs(); }},
        {Command::CopyFrame, [this] { saver->copyFrame(); }},
        {Command::MarkClipStart, [this] { exporter->markStart(); }},
        {Command::MarkClipEnd, [this] { exporter->markEnd(); }},
        {Command::ExportClip, [this] { exporter->exportClip(); }},
        {Command::FrameWindow, [this] { tools->showFrameWindow(); }},
        {Command::Timeline, [this] { tools->showTimeline(); }},
        {Command::KeyList, [this] { tools->showKeyList(); }},
        // The posted close: the window closes once the current event is done.
        {Command::CloseViewer,
         [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); }},
    };
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
    Control<QSlider>(ControlId::SpeedSlider)
        ->triggerAction(change > 0 ? QAbstractSlider::SliderSingleStepAdd
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

// The blank look: texts, position and picture cleared, the latching buttons redrawn.
void MainWindow::SetControlsEnabled(bool enable) {
    if (!enable) {
        for (const ControlId id :
             {ControlId::Stop, ControlId::Pause, ControlId::Play, ControlId::PlayBackward}) {
            Control<QWidget>(id)->update();
        }
        pictureArea->Blank();
    }
    playerControls->SetNavigationEnabled(enable);
}

const QString& MainWindow::Note() const {
    return pictureArea->Note();
}

void MainWindow::SetSaveFileChooser(const FrameSaver::SaveFileChooser& chooser) {
    saver->SetSaveFileChooser(chooser);
    exporter->SetSaveFileChooser(chooser);
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
