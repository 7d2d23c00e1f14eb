#include "shell/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSlider>

#include "settings/settings_store.h"
#include "shell/activity_indexer.h"
#include "shell/bottom_up_picture.h"
#include "shell/clip_exporter.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/marked_slider.h"
#include "shell/picture_area.h"
#include "shell/player.h"
#include "shell/player_controls.h"
#include "shell/skin_button.h"
#include "shell/tool_windows.h"
#include "shell/viewer_commands.h"

namespace orvik {
namespace {

constexpr int kSkinBitmap = 122;
constexpr int kIconBitmap = 159;
constexpr int kIconSize = 32;

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

}  // namespace

MainWindow::MainWindow(FolderChooser chooseFolder)
    : QDialog(nullptr, kWindowFlags),
      player(new Player(this)),
      saver(new FrameSaver(*player, this)),
      exporter(new ClipExporter(*player, this, [this](QWidget* window) { AddViewerKeys(window); })),
      activity(new ActivityIndexer(*player, this)),
      tools(new ToolWindows(*player, *activity, this,
                            [this](QWidget* window) { AddViewerKeys(window); })) {
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
    opener = new RecordingOpener(*player, *pictureArea, this, std::move(chooseFolder));
    connect(playerControls, &PlayerControls::searchAsked, this,
            [this] { PressButton(ControlId::Search); });
    Control<QWidget>(ControlId::PreviousFolder)->setEnabled(true);
    Control<QWidget>(ControlId::NextFolder)->setEnabled(true);
    ConnectButtons();
    ConnectPlayer();
    SetControlsEnabled(false);
    commands = std::make_unique<ViewerCommands>(ViewerCommands::Parts{
        *player, *saver, *exporter, *tools, *activity, *Control<QSlider>(ControlId::SpeedSlider),
        [this](ControlId id) { PressButton(id); },
        // The posted close: the window closes once the current event is done.
        [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); },
        [this](const QString& note) { pictureArea->SetNote(note); }});
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
    if (control.id == ControlId::PositionSlider) {
        return new MarkedSlider(parent);
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
        {ControlId::ChooseFolder, [this] { opener->choose(); }},
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
             const auto [date, time] = playerControls->TakeTypedDateTime();
             player->search(date, time);
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
        pictureArea->SetFrameNote(player->ShownFrameNote(),
                                  !player->PictureCaptureTime().isEmpty());
        tools->follow();
    });
    connect(player, &Player::readingStarted, this, [this] {
        SetControlsEnabled(false);
        tools->showRecording();  // the old recording's timeline goes
        activity->start();       // and its measuring stops
    });
    connect(player, &Player::recordingOpened, this, &MainWindow::ShowRecording);
    connect(exporter, &ClipExporter::marksChanged, tools, &ToolWindows::showMarks);
    connect(exporter, &ClipExporter::marksChanged, playerControls, &PlayerControls::ShowMarks);
    connect(pictureArea, &PictureArea::doubleClicked, tools, &ToolWindows::showFrameWindow);
    connect(pictureArea, &PictureArea::wheelTurned, this, [this](int notches) {
        for (int i = 0; i < std::abs(notches); ++i) {  // towards the user: on
            PressButton(notches < 0 ? ControlId::StepForward : ControlId::StepBack);
        }
    });
    connect(saver, &FrameSaver::noted, pictureArea, &PictureArea::SetNote);
    connect(exporter, &ClipExporter::noted, pictureArea, &PictureArea::SetNote);
}

void MainWindow::BuildKeys() {
    SetToolTips([this](ControlId id) { return Control<QWidget>(id); });
    const QList<QAction*> keys = AddViewerKeys(this);
    // The picture takes the focus, so that keys work at once, and carries the menu.
    pictureArea->setFocusPolicy(Qt::StrongFocus);
    pictureArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    pictureArea->addAction(opener->RecentMenu()->menuAction());
    pictureArea->addActions(MenuActions(keys));
    pictureArea->setFocus();
    // The number boxes only show; the keys belong to the window. A slider the user has
    // taken keeps its own keys, as the date and time boxes do.
    Control<QWidget>(ControlId::SpeedBox)->setFocusPolicy(Qt::NoFocus);
    Control<QWidget>(ControlId::PositionBox)->setFocusPolicy(Qt::NoFocus);
}

QList<QAction*> MainWindow::AddViewerKeys(QWidget* window) {
    return AddKeyActions(window, KeyScope::Viewer, [this](Command command) { Run(command); });
}

void MainWindow::Run(Command command) {
    commands->Run(command);
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

void MainWindow::OpenFolder(const QString& rootPath) {
    opener->open(rootPath);
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
    activity->start();
    exporter->forgetMarks();
    if (!hasFrame) {
        lights.Clear();
    }
    SetControlsEnabled(hasFrame);
    if (hasFrame) {
        pictureArea->setFocus();  // keys work at once
    }
    commands->RunWaiting(hasFrame);
}

// The blank look: texts, position and picture cleared, the latching buttons redrawn.
void MainWindow::SetControlsEnabled(bool enable) {
    if (!enable) {
        for (const ControlId id :
             {ControlId::Stop, ControlId::Pause, ControlId::Play, ControlId::PlayBackward}) {
            Control<QWidget>(id)->update();
        }
        pictureArea->Blank();
        pictureArea->SetFrameNote(QString(), true);
    }
    opener->showHowToOpen();
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
    if (!exporter->MayClose()) {
        event->ignore();
        return;
    }
    if (colourSettings != nullptr && colourSettings->IsOpen()) {
        colourSettings->EndWithoutSaving();
    }
    player->Timer().stop();
    QDialog::reject();  // ends the dialog; the window's own reject() is Escape's, and idle
    event->accept();
}

}  // namespace orvik
