// The Timeline in the viewer's own window, with the mouse and the keys: a zoomed-in view
// follows play.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "shell/timeline_window.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {
namespace {

constexpr qint64 kDec30 = 3651LL * 8640000;  // 2009/12/30, in days from 2000/01/01

}  // namespace

class TimelineViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }
    void zoomedViewFollowsPlay();

  private:
    // Opens the recording and the Timeline; null on failure.
    TimelineWindow* OpenTimeline(WindowHarness& h) {
        h.OpenActive("");
        h.Keys({Qt::Key_T});
        auto* timeline = h.window().findChild<TimelineWindow*>();
        if (timeline == nullptr || !QTest::qWaitForWindowExposed(timeline)) {
            return nullptr;
        }
        timeline->resize(900, timeline->height());  // the columns the tests count on
        return timeline;
    }
    // Zooms to the narrowest view, about a minute around time.
    void ZoomAround(TimelineWindow& timeline, qint64 time) {
        const QPoint at(timeline.XOfTime(time).value(), timeline.height() / 2);
        QWheelEvent wheel(at, timeline.mapToGlobal(at), {}, {0, 120 * 40}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&timeline, &wheel);
    }
};

void TimelineViewerTest::zoomedViewFollowsPlay() {
    WindowHarness h;
    TimelineWindow* timeline = OpenTimeline(h);
    QVERIFY(timeline != nullptr);
    h.Keys({Qt::Key_PageUp, Qt::Key_PageUp});  // the first folder, 21:00:00
    h.Tick();
    ZoomAround(*timeline, kDec30 + TimeOfDay(21, 0, 0));
    QTest::qWait(static_cast<int>(TimelineWindow::kFollowPause.count()) + 100);  // the zoom's pause
    const qint64 next = 3652LL * 8640000 + TimeOfDay(22, 0, 0);  // the next folder's first frame
    QVERIFY(!timeline->XOfTime(next).has_value());
    h.Keys({Qt::Key_L});
    QVERIFY(h.TickUntil([&h] { return h.Text(ControlId::TimeBox) == "22:00:00"; }));
    h.Tick();  // presents it
    QVERIFY(timeline->StatusText().contains("22:00:00.00"));
    QVERIFY(timeline->XOfTime(next).has_value());
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::TimelineViewerTest)
#include "timeline_viewer_test.moc"
