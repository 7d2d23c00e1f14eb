// The main window, "Orvik View": a fixed 720 x 680 dialog built from template 101, painted
// from the viewer's skin and picture surfaces. Its commands drive the clip library; the
// playback tick, every 100 ms, plays and draws whatever frame was loaded.
#pragma once

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "colour/colour_matrix.h"
#include "shell/skin_buttons.h"
#include "shell/viewer.h"

class QLineEdit;

namespace orvik {

// The user value the playback timer carries; a tick for any other identity does nothing.
inline constexpr int kPlaybackTimerIdentity = 10001;

class MainWindow : public QDialog {
    Q_OBJECT

  public:
    // Lets the user pick the root folder: path is the viewer's folderPath buffer (a path
    // capacity long), left unchanged when the user cancels.
    using FolderChooser = std::function<void(QWidget* owner, char* path)>;

    // Runs the start-up: the viewer and its surfaces, the two sliders, the playback timer,
    // the navigation controls disabled and blank, the icon, the stored picture adjustments.
    explicit MainWindow(FolderChooser chooseFolder);
    ~MainWindow() override;

    void SetFolderChooser(FolderChooser chooser) { chooseFolder = std::move(chooser); }

    // Starts as if the user had chosen rootPath with the Choose folder command.
    void OpenFolder(const char* rootPath);

    // A command by control ID, as the buttons send them (1 is the Enter key's command).
    void Command(int id);
    // The playback tick, as the timer calls it.
    void PlaybackTick(int identity);
    // Runs after every frame the tick presents; none by default. The entry uses it to end a
    // timed start at the first frame shown.
    void SetFramePresentedHook(std::function<void()> hook) { framePresented = std::move(hook); }

    CMavViewer& Viewer() { return *viewer; }
    const LitButtons& Lit() const { return lit; }
    QTimer& PlaybackTimer() { return playbackTimer; }
    bool LibraryBusy() const { return libraryBusy; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void CreateViewer();
    void SpeedSliderMoved();
    void PositionSliderMoved();

    // Commands.
    void ChooseFolderCommand(bool askUser);
    void PlayCommand(std::int32_t runningState, std::int32_t finalState);
    void PauseCommand();
    void StopCommand();
    void NextFolderCommand();
    void PreviousFolderCommand();
    void StepBackCommand();
    void StepForwardCommand();
    void ColourSettingsCommand();
    void SearchCommand();
    void PostClose();

    // Operations on the window's controls.
    void ResetPositionRange();
    void SetControlsEnabled(bool enable);
    void ShowCurrentTexts();
    void ShowPosition() { ShowPositionNumber(viewer->position); }
    void ShowPositionNumber(std::int32_t number);
    void SetText(int id, const char* text);
    void Invalidate(int id);
    void LightStop();
    QWidget* Control(int id) const;
    QLineEdit* Edit(int id) const;

    void PresentFrame();
    void ApplyAdjustments(const PictureAdjustments& adjustments);

    FolderChooser chooseFolder;
    std::function<void()> framePresented;
    std::unique_ptr<CMavViewer> viewer;
    QTimer playbackTimer;
    LitButtons lit;
    bool controlsReady = false;
    bool libraryBusy = false;
    int windowWidth = 0, windowHeight = 0;
};

}  // namespace orvik
