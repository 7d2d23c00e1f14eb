// The Timeline in the viewer's own window, with the mouse and the keys: a zoomed-in view
// follows play; hovering shows above the pointer the frame a click there would go to, under
// that frame's own capture time; a damaged or missing frame says so and never shows another
// frame's picture; a quick sweep decodes the frame it ends on, not every frame it passes; and
// the library names a frame's file only for the very frame the Timeline means. The F1 list
// says what the mouse does on the Timeline.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>

#include "shell/timeline_frame_source.h"
#include "shell/timeline_preview.h"
#include "shell/timeline_window.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {
namespace {

constexpr qint64 kDec30 = 3651LL * 8640000;  // 2009/12/30, in days from 2000/01/01
constexpr qint64 kJune15 = 8932LL * 8640000;

// A quick hand's moves come faster than the event loop turns: sent straight to the window,
// with nothing run between them.
void QuickMove(QWidget& widget, int x) {
    const QPoint at(x, widget.height() / 2);
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

}  // namespace

class TimelineViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }
    void hoverShowsTheFrameThereUnderItsOwnTime_data();
    void hoverShowsTheFrameThereUnderItsOwnTime();
    void damagedAndMissingFramesSaySoWithoutAPicture();
    void sweepDecodesTheFrameItEndsOnNotEveryOne();
    void zoomedViewFollowsPlay();
    void frameSourceNamesOnlyTheFrameMeant();
    void keyListNamesTheTimelinesMouse();

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
        preview = timeline->findChild<TimelinePreview*>();
        return preview != nullptr ? timeline : nullptr;
    }
    void Hover(TimelineWindow& timeline, qint64 time) {
        const std::optional<int> x = timeline.XOfTime(time);
        QVERIFY(x.has_value());
        QTest::mouseMove(timeline.windowHandle(), QPoint(*x, timeline.height() / 2));
    }
    // Zooms to the narrowest view, about a minute around time.
    void ZoomAround(TimelineWindow& timeline, qint64 time) {
        const QPoint at(timeline.XOfTime(time).value(), timeline.height() / 2);
        QWheelEvent wheel(at, timeline.mapToGlobal(at), {}, {0, 120 * 40}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&timeline, &wheel);
    }
    // The middle of the preview's picture box, as drawn.
    QRgb PictureMiddle() const {
        const QImage drawn = preview->grab().toImage();
        return drawn.pixel(drawn.width() / 2,
                           (drawn.height() - preview->fontMetrics().height()) / 2);
    }

    TimelinePreview* preview = nullptr;
};

void TimelineViewerTest::hoverShowsTheFrameThereUnderItsOwnTime_data() {
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("a frame") << kDec30 + TimeOfDay(21, 0, 1) << "2009/12/30 21:00:01.00" << kGreen;
    QTest::newRow("between frames: the one before")
        << kDec30 + TimeOfDay(21, 0, 1, 60) << "2009/12/30 21:00:01.00" << kGreen;
    QTest::newRow("after the folder's last frame: that frame")
        << kDec30 + TimeOfDay(21, 0, 20) << "2009/12/30 21:00:02.00" << kBlue;
}

void TimelineViewerTest::hoverShowsTheFrameThereUnderItsOwnTime() {
    QFETCH(qint64, time);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    WindowHarness h;
    TimelineWindow* timeline = OpenTimeline(h);
    QVERIFY(timeline != nullptr);
    ZoomAround(*timeline, kDec30 + TimeOfDay(21, 0, 1));
    Hover(*timeline, kDec30 + TimeOfDay(21, 0, 0));  // red first: its picture must not linger
    QTRY_VERIFY(!preview->Picture().isNull());
    Hover(*timeline, time);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->Caption(), caption);
    QTRY_VERIFY(!preview->Picture().isNull());
    QVERIFY(NearestIs(PictureMiddle(), colour, {kRed, kGreen, kBlue, Qt::black}));
    QCOMPARE(preview->Note(), QString());

    QTest::mouseMove(timeline->windowHandle(), QPoint(timeline->width() / 2, 2));  // off the track
    QVERIFY(!preview->isVisible());
}

void TimelineViewerTest::damagedAndMissingFramesSaySoWithoutAPicture() {
    WindowHarness h(false);
    const std::vector<QColor> colours = {kRed, kGreen, kBlue, kYellow, kCyan, Qt::black};
    WriteFrames(h.tree(), "24061509",
                {{TimeOfDay(9, 0, 0), kRed},
                 {TimeOfDay(9, 0, 10), kGreen},
                 {TimeOfDay(9, 0, 20), kBlue},
                 {TimeOfDay(9, 0, 30), kYellow},
                 {TimeOfDay(9, 0, 40), kCyan}});
    TimelineWindow* timeline = OpenTimeline(h);
    QVERIFY(timeline != nullptr);
    // After the scan: the green frame's coded data cut short, the blue one gone, and in the
    // cyan one's place a folder of its name.
    const std::string folder = h.tree().Path("24061509") + "/";
    std::filesystem::resize_file(folder + FrameFileName(TimeOfDay(9, 0, 10)), 2000);
    std::filesystem::remove(folder + FrameFileName(TimeOfDay(9, 0, 20)));
    const std::string cyan = folder + FrameFileName(TimeOfDay(9, 0, 40));
    std::filesystem::remove(cyan);
    std::filesystem::create_directory(cyan);

    struct Case {
        int seconds;
        QString note;
        QColor colour;  // black: no picture in the box
    };
    for (const Case& c :
         {Case{0, "", kRed}, Case{10, "Damaged frame", Qt::black},
          Case{20, "Frame missing", Qt::black}, Case{30, "", kYellow},
          Case{40, "Frame missing", Qt::black}, Case{10, "Damaged frame", Qt::black}}) {
        Hover(*timeline, kJune15 + TimeOfDay(9, 0, c.seconds));
        QCOMPARE(preview->Caption(),
                 QString("2024/06/15 09:00:%1.00").arg(c.seconds, 2, 10, QChar('0')));
        QTRY_VERIFY(!preview->Picture().isNull() || !preview->Note().isEmpty());
        QCOMPARE(preview->Note(), c.note);
        QCOMPARE(preview->Picture().isNull(), !c.note.isEmpty());
        QVERIFY2(NearestIs(PictureMiddle(), c.colour, colours),
                 qPrintable(QString("at %1 s: %2").arg(c.seconds).arg(PictureMiddle(), 0, 16)));
    }
}

void TimelineViewerTest::sweepDecodesTheFrameItEndsOnNotEveryOne() {
    WindowHarness h(false);
    const std::vector<QColor> colours = {kRed, kGreen, kBlue, kYellow};
    std::vector<FrameAt> frames;
    for (int i = 0; i < 120; ++i) {
        frames.push_back({TimeOfDay(9, 0, 0) + 100 * i, colours[std::size_t(i) % colours.size()]});
    }
    WriteFrames(h.tree(), "24061509", frames);
    TimelineWindow* timeline = OpenTimeline(h);
    QVERIFY(timeline != nullptr);
    const int from = timeline->XOfTime(kJune15 + TimeOfDay(9, 0, 0)).value();
    const int to = timeline->XOfTime(kJune15 + TimeOfDay(9, 1, 58)).value();  // frame 118
    for (int x = from; x <= to; ++x) {
        QuickMove(*timeline, x);  // over every frame but the last
    }
    QCOMPARE(preview->Caption(), QString("2024/06/15 09:01:58.00"));
    QTRY_VERIFY(!preview->Picture().isNull());
    QVERIFY(NearestIs(PictureMiddle(), colours[118 % colours.size()], colours));
    // Two here (the first order, then the last); one decode per frame passed would be 119.
    // The bound leaves room for a loaded machine running the worker between the moves.
    QVERIFY2(
        preview->DecodedCount() <= 30,
        qPrintable(QString("%1 frames decoded for a sweep over 119").arg(preview->DecodedCount())));
}

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

void TimelineViewerTest::frameSourceNamesOnlyTheFrameMeant() {
    WindowHarness h;
    h.OpenActive("");
    const FrameFileSource source = LibraryFrameSource(h.player());
    const std::string first = h.tree().Path(kFirstFolder) + "/";
    struct Case {
        const char* name;
        FramePosition frame;
        qint64 time;
        std::string path;  // empty: none named
    };
    const qint64 kDec31 = kDec30 + 8640000;
    for (const Case& c : {
             Case{"a frame",
                  {0, 1},
                  kDec30 + TimeOfDay(21, 0, 1),
                  first + FrameFileName(TimeOfDay(21, 0, 1))},
             Case{"the next folder's",
                  {1, 0},
                  kDec31 + TimeOfDay(22, 0, 0),
                  h.tree().Path(kMiddleFolder) + "/" + FrameFileName(TimeOfDay(22, 0, 0))},
             Case{"another time at the position", {0, 1}, kDec30 + TimeOfDay(21, 0, 2), ""},
             Case{"past the folder's frames", {0, 3}, kDec30 + TimeOfDay(21, 0, 3), ""},
             Case{"past the folders", {3, 0}, kDec31 + TimeOfDay(23, 59, 0), ""},
             Case{"a negative folder", {-1, 0}, kDec30 + TimeOfDay(21, 0, 0), ""},
         }) {
        const std::optional<ThumbnailOrder> order = source(c.frame, c.time);
        QVERIFY2(order.has_value() != c.path.empty(), c.name);
        if (order) {
            QCOMPARE(order->path, c.path);
            QVERIFY(order->variant == h.player().Library().Decoder().variant);
        }
    }
}

void TimelineViewerTest::keyListNamesTheTimelinesMouse() {
    WindowHarness h;
    h.OpenActive("");
    h.Keys({Qt::Key_F1});
    QString list;
    for (const QLabel* label : h.window().findChildren<QLabel*>()) {
        if (label->window() != &h.window() && label->isVisible()) {
            list += label->text();
        }
    }
    for (const char* row : {"Wheel, drag, click", "In the Timeline: zoom around the pointer, pan",
                            "Pointer over the Timeline", "small picture of that frame"}) {
        QVERIFY2(list.contains(row), row);
    }
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::TimelineViewerTest)
#include "timeline_viewer_test.moc"
