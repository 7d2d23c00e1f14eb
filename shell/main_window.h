// The main window, "Orvik View": a fixed 720 x 680 dialog built from template 101, painted
// from the viewer's skin and picture surfaces. Each control's use runs the command slot
// named after it, which drives the clip library and marks a loaded frame dirty; the
// playback tick, every 100 ms, plays and draws whatever frame was loaded.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "colour/colour_matrix.h"
#include "library/recording_timeline.h"
#include "shell/clip_export_job.h"
#include "shell/dialog/dialog_controls.h"
#include "shell/frame_window.h"
#include "shell/skin_buttons.h"
#include "shell/timeline_window.h"
#include "shell/viewer.h"

class QFrame;
class QLineEdit;
class QSlider;

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

    // Opens rootPath as if the user had chosen it with Choose folder.
    void OpenFolder(const char* rootPath);

    // The playback tick, as the timer calls it.
    void PlaybackTick(int identity);
    // Runs after every frame the tick presents; none by default. The entry uses it to end a
    // timed start at the first frame shown.
    void SetFramePresentedHook(std::function<void()> hook) { framePresented = std::move(hook); }

    // The frame on screen as a picture: upright, exactly the decoded pixels with the colour
    // settings applied. Null when no frame is shown.
    QImage ShownPicture() const;
    // Its capture time, "YYYY/MM/DD HH:MM:SS.cc"; empty when no frame is shown.
    QString ShownCaptureTime() const;
    // The brief note shown over the picture ("Saved …"); empty when there is none.
    const QString& Note() const { return note; }
    // Where S puts snapshots: the user's Pictures folder unless set otherwise.
    void SetSnapshotFolder(const QString& folder) { snapshotFolder = folder; }
    // Asks for the file a frame or a clip is saved to (the suggested path first, filters as
    // QFileDialog takes them); empty when the user cancels. QFileDialog's unless set.
    using SaveFileChooser = std::function<QString(QWidget* owner, const QString& title,
                                                  const QString& suggested, const QString& filter)>;
    void SetSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile = std::move(chooser); }

    CMavViewer& Viewer() { return *viewer; }
    const LitButtons& Lit() const { return lit; }
    QTimer& PlaybackTimer() { return playbackTimer; }
    bool LibraryBusy() const { return libraryBusy; }

  public slots:
    // The commands, one for each button. Each runs with the clip library to itself: one
    // that arrives while another library operation is in progress (a message box of a scan
    // is open) does nothing. A library operation that fails stops the command where it
    // stands.
    void ChooseFolder();
    void Play();
    void PlayBackward();
    void Pause();
    void Stop();
    void NextFolder();
    void PreviousFolder();
    void StepForward();
    void StepBack();
    void OpenColourSettings();
    void Search();
    // Enter, the hidden close button: closes the window once the current event is done.
    void CloseWindow();

    // Review from the keyboard and the picture's context menu (review_actions.cpp).
    // Presses a skin button as the mouse does: its pressed face is drawn (which moves the
    // lit-button light) and its command runs. A disabled button does nothing.
    void PressButton(ControlId id);
    void TogglePlay();
    // Play (Play backward); when already playing that way, one step faster.
    void PlayForwardOrFaster();
    void PlayBackwardOrFaster();
    void SeekForward(std::int32_t hundredths);
    void SeekBackward(std::int32_t hundredths);
    void GoToFolderStart();
    void GoToFolderEnd();
    void ChangeSpeed(int change);
    void SaveSnapshot();
    void SaveFrameAs();
    void CopyFrame();
    void ShowKeyList();
    // The clip: I and O mark the shown frame as its start and end; E asks for a file (its
    // extension picks the codec) and exports it on a worker thread with a progress dialog
    // that can cancel (review_export.cpp).
    // The Frame window (F) and the Timeline window (T), beside the main window; they follow
    // what the tick presents (review_windows.cpp).
    void ShowFrameWindow();
    void ShowTimeline();
    // A frame chosen in the Timeline: shown as taking the position slider there does.
    void GoToFrame(int folderIndex, int fileIndex);
    void MarkClipStart();
    void MarkClipEnd();
    void ExportClipOfMarks();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Direction { Forward, Backward };

    void BuildControls();
    void ConnectControls();
    void BuildActions();
    void PlayOrFaster(Direction direction);
    void Seek(Direction direction, std::int32_t hundredths);
    void ShowFolderFrame(std::int32_t index);
    void PutOutLight();
    void ShowNote(const QString& text);
    // Writes the frame on screen to path (png or bmp: the picture; jpg: its own coded data
    // as a standard JPEG); says what happened. False when nothing was written.
    bool WriteFrame(const QString& path);
    void CreateViewer();
    void PaintSkinButton(QPainter& painter, ControlId id, bool pressed, const QRect& rect);

    // What the commands share; the direction picks the mirror image.
    void ScanChosenFolder();
    void StartPlay(Direction direction);
    void MoveFolder(Direction direction);
    void Step(Direction direction);
    void SpeedSliderMoved();
    void PositionSliderMoved();

    // Operations on the window's controls.
    void ResetPositionRange();
    void SetControlsEnabled(bool enable);
    void ShowCurrentTexts();
    void ShowPosition() { ShowPositionNumber(viewer->playhead.position); }
    void ShowPositionNumber(std::int32_t number);
    static void SetText(QLineEdit* box, const char* text);
    void Redraw(ControlId id);
    // Lights Stop at an end of the folder list and redraws the buttons that lose the light.
    void LightStop(ControlId playButton);

    void PresentFrame();
    // Hands the frame presented to the tool windows, and the recording after a scan.
    void FollowInToolWindows();
    void NewRecordingInToolWindows();
    void AddToolWindow(QWidget* window);
    void ApplyAdjustments(const PictureAdjustments& adjustments);

    FolderChooser chooseFolder;
    std::function<void()> framePresented;
    std::unique_ptr<DialogControls> controls;
    QLineEdit* framePathBox = nullptr;
    QLineEdit* speedBox = nullptr;
    QLineEdit* positionBox = nullptr;
    QLineEdit* dateBox = nullptr;
    QLineEdit* timeBox = nullptr;
    QSlider* speedSlider = nullptr;
    QSlider* positionSlider = nullptr;
    QFrame* pictureFrame = nullptr;
    std::unique_ptr<CMavViewer> viewer;
    QTimer playbackTimer;
    LitButtons lit;
    QString note;
    QTimer noteTimer;
    QString snapshotFolder;
    SaveFileChooser chooseSaveFile;
    QWidget* keyList = nullptr;
    std::optional<std::int64_t> clipStart, clipEnd;  // capture moments of the marks
    ClipExportJob* exportJob = nullptr;
    FrameWindow* frameWindow = nullptr;
    TimelineWindow* timelineWindow = nullptr;
    std::shared_ptr<const RecordingTimeline> timeline;
    std::int32_t shownNumber = 0;  // the number in the position box
    bool controlsReady = false;
    bool libraryBusy = false;
    int windowWidth = 0, windowHeight = 0;
};

}  // namespace orvik
