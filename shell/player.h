// The Player: playback of one recording. It owns the clip library object, the playhead (play
// state, play clock and the position within the folder), the speed, the position range and
// the 100 ms playback tick. Its slots are the viewer's commands; its signals say what they
// changed, and the windows only listen and call slots.
//
// The timing is the system's: a command loads a frame and marks it waiting; the tick plays
// (moves the clock by speed x 10 hundredths and lets the library show the frame due) and
// presents whatever frame waits, so a loaded frame reaches the screen at most one tick later.
// The clip library runs one operation at a time: a command or tick that arrives while
// another holds it (a message box of the scan is open) does nothing.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

#include "colour/colour_matrix.h"
#include "library/file_manager.h"
#include "library/play_state.h"
#include "library/recording_timeline.h"
#include "platform/path_capacity.h"

namespace orvik {

class RecordingReader;

namespace test {
class WindowHarness;
}

class Player : public QObject {
    Q_OBJECT

  public:
    static constexpr int kSpeedMin = 1;
    static constexpr int kSpeedMax = 8;
    static constexpr int kDefaultSpeed = 5;
    static constexpr int kTickMilliseconds = 100;

    // Set up for 640 x 480 with the adjustments at 49; the tick runs from now on.
    explicit Player(QObject* parent = nullptr);

    const CMavFileManager& Library() const { return files; }
    // The recording's frames in time order, made once it is read; empty before (and while
    // it is read).
    const std::shared_ptr<const RecordingTimeline>& Timeline() const { return timeline; }
    PlayState State() const { return playhead.state; }
    bool Playing() const {
        return playhead.state == PlayState::PlayingForward ||
               playhead.state == PlayState::PlayingBackward;
    }
    std::int32_t Clock() const { return playhead.clock; }
    // The library's position counter: during play it runs ahead of the frame shown.
    std::int32_t Position() const { return playhead.position; }
    // The number the position box shows: the frame on screen's.
    std::int32_t ShownNumber() const { return shownNumber; }
    std::int32_t PositionMax() const { return positionMax; }
    int Speed() const { return speed; }
    const char* FolderPath() const { return folderPath; }
    // A loaded frame waits for the tick to present it.
    bool FrameWaiting() const { return frameWaiting; }
    // Another library operation is in progress.
    bool Busy() const { return busy; }
    // A recording is being read (off the window's thread); nothing can be navigated yet.
    bool Reading() const { return reader != nullptr; }
    // The frame on screen's capture moment (hundredths since 2000/01/01) and its text
    // "YYYY/MM/DD HH:MM:SS.cc"; none when no frame is shown.
    std::optional<std::int64_t> ShownMoment() const;
    QString ShownCaptureTime() const;
    // Whether the frame the texts name is the picture on screen: not when it is damaged
    // (refused, or failing the end test) or gone (it cannot be opened), and then the picture
    // is the last good frame's, or none.
    enum class FrameProblem { kNone, kDamaged, kGone };
    FrameProblem ShownFrameProblem() const;
    // The capture time of the frame whose picture is on screen; empty for none.
    const QString& PictureCaptureTime() const { return pictureTime; }
    // What the picture area says while the picture is not the frame named ("Damaged frame
    // — showing 10:00:00.60"); empty while it is.
    QString ShownFrameNote() const;
    // The playback timer: tests stop it and tick by hand.
    QTimer& Timer() { return timer; }

  public slots:
    // Reads the tree at path (kept as the folder path, cut to fit) off the window's thread,
    // showing the first frame of the folder the scan will choose as soon as it is found, and
    // the first frame of the one it chose when the whole tree is read (recordingOpened).
    // Opening another path meanwhile stops the reading.
    void open(const QString& path);
    void play() { StartPlay(Direction::Forward); }
    void playBackward() { StartPlay(Direction::Backward); }
    void pause();
    // Back to the current folder's first frame.
    void stop();
    void nextFolder() { MoveFolder(Direction::Forward); }
    void previousFolder() { MoveFolder(Direction::Backward); }
    void stepForward() { Step(Direction::Forward); }
    void stepBack() { Step(Direction::Backward); }
    void setSpeed(int speed);
    // Jumps to the date (20YY/MM/DD) and time (HH:MM:SS) typed.
    void search(const QString& date, const QString& time);
    // The frame numbered number (1-based) in the current folder, as taking the position
    // slider there does: play pauses and no transport button stays lit (positionTaken).
    void showNumber(int number);
    // The last frame captured at or before the frame on screen's time plus (minus)
    // hundredths, in this folder; forward at least the next frame, backward at most the
    // first. As showNumber.
    void seek(std::int32_t hundredths);
    void goToFolderStart();
    void goToFolderEnd();
    // A frame by its slots in the recording, as showNumber.
    void goToFrame(int folderIndex, int fileIndex);
    // Takes the four adjustments to the picture: the frame on screen is decoded again.
    void setAdjustments(const PictureAdjustments& adjustments);
    // Marks the frame on screen for presenting again (the colour settings changed it).
    void representFrame();
    // One tick of the playback timer.
    void tick();

  signals:
    // Reading a recording began: the old one is gone.
    void readingStarted();
    // So much of it is read.
    void readingProgressed(int folders, qint64 frames);
    // The recording is read; hasFrame tells whether a frame of it is shown.
    void recordingOpened(bool hasFrame);
    void dateTextChanged(const QString& text);
    void timeTextChanged(const QString& text);
    void fileTextChanged(const QString& text);
    void positionRangeChanged(int maximum);
    void shownNumberChanged(int number);
    void speedChanged(int speed);
    // A folder move found no further folder: the list's end frame is shown and play stops.
    void listEndReached(bool forward);
    // The user took the position by hand (slider, Home, End, seek keys, Timeline): paused.
    void positionTaken();
    // A frame of another size was loaded: the old picture's area (width x height) is to be
    // blackened.
    void pictureSizeChanging(int width, int height);
    // The tick presents the library's picture: it is the frame to show now.
    void framePresented();

  private:
    friend class test::WindowHarness;  // sets the play clock for the tests of its edges

    enum class Direction { Forward, Backward };

    void ShowAhead();
    void FinishReading();
    void StartPlay(Direction direction);
    void MoveFolder(Direction direction);
    // The library moves to the next (forward) or previous folder; false when it cannot.
    bool ToNeighbourFolder(bool forward);
    void Step(Direction direction);
    void ShowFolderFrame(std::int32_t index);
    void PlayOneStep(bool forward);

    // What the commands show: a frame now waits for the tick, and these texts changed. The
    // picture's own time follows each frame that decoded.
    void MarkFrameWaiting();
    void ShowCurrentTexts();
    void ShowDateText();
    void ShowFrameTexts();
    void ShowNumber(std::int32_t number);
    void ShowPosition() { ShowNumber(playhead.position); }
    // A command moved the playhead to a frame: all three of the above.
    void ShowMovedTo() {
        MarkFrameWaiting();
        ShowCurrentTexts();
        ShowPosition();
    }
    void ResetPositionRange();

    CMavFileManager files;
    std::shared_ptr<const RecordingTimeline> timeline;
    Playhead playhead;
    int speed = kDefaultSpeed;
    std::int32_t positionMax = 1;
    std::int32_t shownNumber = 1;
    char folderPath[kPathCapacity] = " ";
    QString pictureTime;
    QTimer timer;
    RecordingReader* reader = nullptr;
    bool frameWaiting = false;
    bool busy = false;
};

}  // namespace orvik
