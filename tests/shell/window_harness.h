// A main window on a generated recording, for the window tests: the playback timer is
// stopped so that the tests fire every tick themselves, the folder chooser answers with a
// folder of the tree, and the library's reports are recorded instead of shown.
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "shell/player.h"
#include "tests/shell/recording_fixture.h"

class QLineEdit;
class QSlider;

namespace orvik::test {

// The standard recording: three date folders, frames one second apart in the first two and
// with a gap in the last.
//   09123021 (2009/12/30 21 h): 21:00:00 red, 21:00:01 green, 21:00:02 blue
//   09123122 (2009/12/31 22 h): 22:00:00 yellow, 22:00:01 cyan
//   09123123 (2009/12/31 23 h): 23:59:00 magenta, 23:59:10 grey, 23:59:20 orange,
//                               23:59:40 dark teal
inline constexpr char kFirstFolder[] = "09123021";
inline constexpr char kMiddleFolder[] = "09123122";
inline constexpr char kLastFolder[] = "09123123";
extern const QColor kRed, kGreen, kBlue, kYellow, kCyan, kMagenta, kGrey, kOrange, kTeal;

// Isolates the settings store from the user's and stores 49 for all four adjustments, so
// that every window starts from the same picture adjustments. Call from initTestCase.
void UseTestSettings();

class WindowHarness {
  public:
    // An empty tree: add folders with WriteFrames before choosing.
    explicit WindowHarness(bool standardRecording = true);
    ~WindowHarness();

    MainWindow& window() { return *mainWindow; }
    Player& player() { return mainWindow->ThePlayer(); }
    // Moves the play clock, to test its edges (midnight, the backward floor).
    void SetPlayClock(std::int32_t clock) { player().playhead.clock = clock; }
    const TempTree& tree() const { return recording; }

    // The chooser's next answer: the tree's folder relative (empty: the root), or "cancel".
    void ChooserAnswers(const std::string& relative);
    // Chooses the folder with the Choose folder button, and waits until it is read.
    void Choose(const std::string& relative);
    // Waits until the recording being read is read.
    void WaitForReading();

    void Click(ControlId id);
    // Chooses the folder and makes the window active with the picture focused, as after
    // opening a folder.
    void OpenActive(const std::string& relative);
    // Types the keys into the window, as a user at the keyboard.
    void Keys(const QList<QKeySequence>& keys);
    void Tick(int count = 1);
    // Ticks until done() holds, at most limit ticks; false when it never did.
    bool TickUntil(const std::function<bool()>& done, int limit = 100);

    QString Text(ControlId id);
    QSlider* Slider(ControlId id);
    QWidget* Control(ControlId id);
    QLineEdit* Edit(ControlId id);
    // Picture area pixel (0..639, 0..479) of the picture surface.
    QRgb Picture(int x, int y);
    bool Shows(const QColor& colour);  // the middle of the picture area shows it

    std::vector<std::string> reports;    // what the library reported, in order
    std::function<void()> duringReport;  // runs inside each report, as a message box's loop would

  private:
    TempTree recording;
    std::string chooserAnswer = "cancel";
    std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace orvik::test
