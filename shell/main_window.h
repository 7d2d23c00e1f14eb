// The main window, "Orvik View": a fixed 720 x 680 dialog built from template 101 and painted
// from the skin, with the Player at its heart. The window builds the controls and wires
// them: each button runs a Player slot, the Player's signals fill the boxes and sliders, and
// the picture area presents what the Player's tick presents. The viewer's keys (the key
// table) run the same commands, from the main window and every tool window.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>

#include "shell/button_lights.h"
#include "shell/dialog/dialog_controls.h"
#include "shell/frame_saver.h"
#include "shell/key_table.h"
#include "shell/recording_opener.h"

namespace orvik {

class ActivityIndexer;
class ClipExporter;
class ColourSettingDialog;
class PictureArea;
class PlayerControls;
class Player;
class ToolWindows;
class ViewerCommands;

class MainWindow : public QDialog {
    Q_OBJECT

  public:
    using FolderChooser = RecordingOpener::FolderChooser;

    // The window with its controls disabled and blank, the stored picture adjustments
    // applied and the playback tick running.
    explicit MainWindow(FolderChooser chooseFolder);
    ~MainWindow() override;

    Player& ThePlayer() { return *player; }
    const ActivityIndexer& Activity() const { return *activity; }
    const ButtonLights& Lights() const { return lights; }
    PictureArea& Picture() { return *pictureArea; }
    const PictureArea& Picture() const { return *pictureArea; }
    // The brief note shown over the picture ("Saved …"); empty when there is none.
    const QString& Note() const;
    const QImage& Skin() const { return skin; }
    void SetSnapshotFolder(const QString& folder) { saver->SetSnapshotFolder(folder); }
    void SetSaveFileChooser(const FrameSaver::SaveFileChooser& chooser);

  public slots:
    // Opens rootPath as if the user had chosen it with Choose folder.
    void OpenFolder(const QString& rootPath);
    // Runs a command of the key table.
    void Run(Command command);
    // Presses a skin button as the mouse does: its pressed face is drawn (which moves the
    // lit-button light) and its command runs. A disabled button does nothing.
    void PressButton(ControlId id);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape: the cancel command is not handled and does nothing.
    void reject() override {}

  private:
    QWidget* MakeOwnControl(const ControlTemplate& control, QWidget* parent);
    void ConnectButtons();
    void ConnectPlayer();
    void BuildKeys();
    // Gives window the viewer's keys (the main window's own, and every tool window's).
    QList<QAction*> AddViewerKeys(QWidget* window);
    void OpenColourSettings();
    void ShowRecording(bool hasFrame);
    void SetControlsEnabled(bool enable);

    template <typename Widget>
    Widget* Control(ControlId id) const {
        return controls->Get<Widget>(id);
    }

    Player* player;
    ButtonLights lights;
    QImage skin;  // the skin stretched to the client area, once
    std::unique_ptr<DialogControls> controls;
    PictureArea* pictureArea = nullptr;
    PlayerControls* playerControls = nullptr;
    FrameSaver* saver;
    ClipExporter* exporter;
    ActivityIndexer* activity;
    ToolWindows* tools;
    RecordingOpener* opener = nullptr;
    QPointer<ColourSettingDialog> colourSettings;
    std::unique_ptr<ViewerCommands> commands;
};

}  // namespace orvik
