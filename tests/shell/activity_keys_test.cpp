// Events in the viewer: the activity measured in the background when a recording opens, N
// and Shift+N from event to event across a folder and a day, the events in the Timeline, and
// the region drawn in the
// Frame window, which measures again within it and is remembered for the recording.

#include <QTest>

#include "shell/activity_indexer.h"
#include "shell/frame_window.h"
#include "shell/timeline_window.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {
namespace {

constexpr std::int32_t kQuarter = 25;  // hundredths between frames
const QRect kLeftBox(100, 100, 200, 150);
const QRect kRightBox(400, 250, 160, 120);
constexpr int kQuiet = 99;  // a box that never stands

// Twelve frames of a grey scene from hour:00:00, a white box standing in frames [from, from+3).
void WriteSceneWithBox(const TempTree& tree, const std::string& folder, int from, const QRect& box,
                       int hour = 9) {
    std::vector<FrameAt> frames;
    for (int i = 0; i < 12; ++i) {
        frames.push_back({TimeOfDay(hour, 0, 0) + i * kQuarter, QColor(90, 90, 90), 640, 480,
                          i >= from && i < from + 3 ? box : QRect()});
    }
    WriteFrames(tree, folder, frames);
}

}  // namespace

class ActivityKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }

    void nAndShiftNGoFromEventToEventAcrossDays() {
        WindowHarness h(false);
        WriteSceneWithBox(h.tree(), "24061509", 4, kLeftBox);
        WriteSceneWithBox(h.tree(), "24061512", kQuiet, kLeftBox, 12);
        WriteSceneWithBox(h.tree(), "24061609", 6, kRightBox);
        h.OpenActive("");
        QTRY_VERIFY_WITH_TIMEOUT(h.window().Activity().Complete(), 20000);
        h.Keys({Qt::Key_PageUp, Qt::Key_T});  // the marker at noon, clear of both events
        auto* timeline = h.window().findChild<TimelineWindow*>();
        QVERIFY(timeline->StatusText().endsWith("· 2 events"));
        // Each event stands in the Timeline, at its time, and quiet footage does not.
        const QImage drawn = timeline->grab().toImage();
        const auto eventDrawnAt = [&](int folder, int frame) {
            const std::optional<int> x =
                timeline->XOfTime(*h.player().Timeline()->TimeOf(folder, frame));
            for (int y = 0; x && y < drawn.height(); ++y) {
                if (drawn.pixel(*x, y) == qRgb(41, 182, 246)) {
                    return true;
                }
            }
            return false;
        };
        QVERIFY(eventDrawnAt(0, 4) && eventDrawnAt(2, 6));
        QVERIFY(!eventDrawnAt(1, 0) && !eventDrawnAt(1, 11));
        h.window().activateWindow();
        h.Keys({Qt::Key_PageUp});
        const struct {
            QKeySequence key;
            int number;
            const char* date;
            const char* note;
        } steps[] = {
            {Qt::Key_N, 5, "2024/06/15", ""},
            {Qt::Key_N, 7, "2024/06/16", ""},
            {Qt::Key_N, 7, "2024/06/16", "No later event"},
            {Qt::SHIFT | Qt::Key_N, 5, "2024/06/15", ""},
            {Qt::SHIFT | Qt::Key_N, 5, "2024/06/15", "No earlier event"},
        };
        for (const auto& step : steps) {
            h.Keys({step.key});
            h.Tick();
            QCOMPARE(h.player().ShownNumber(), step.number);
            QCOMPARE(h.Text(ControlId::DateBox), QString(step.date));
            if (*step.note != '\0') {
                QCOMPARE(h.window().Note(), QString(step.note));
            }
        }
    }

    void aRegionMeasuresAgainAndIsRememberedPerRecording() {
        WindowHarness h(false);
        WriteSceneWithBox(h.tree(), "24061509", 4, kLeftBox);
        WriteSceneWithBox(h.tree(), "24061609", 6, kRightBox);
        h.OpenActive("");
        h.Keys({Qt::Key_F});
        auto* frameWindow = h.window().findChild<FrameWindow*>();
        QVERIFY(frameWindow != nullptr);
        emit frameWindow->regionDrawn(QRect(0, 0, 320, 240));  // the left box alone
        QTRY_VERIFY_WITH_TIMEOUT(h.window().Activity().Complete(), 20000);
        h.Keys({Qt::Key_PageUp, Qt::Key_N, Qt::Key_N});
        h.Tick();
        QCOMPARE(h.Text(ControlId::DateBox), QString("2024/06/15"));
        QCOMPARE(h.window().Note(), QString("No later event"));

        frameWindow->SetRegion(QRect());
        h.OpenActive("");
        QCOMPARE(h.window().Activity().Region(), QRect(0, 0, 320, 240));
        QCOMPARE(frameWindow->Region(), QRect(0, 0, 320, 240));
    }
};

}  // namespace orvik::test

QTEST_MAIN(orvik::test::ActivityKeysTest)
#include "activity_keys_test.moc"
