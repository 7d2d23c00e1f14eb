// The Timeline window on a scanned recording, driven with the mouse as a user would: a click
// asks for the frame drawn under the pointer, the wheel zooms around the pointer, the marker
// and status line follow the frame shown, a zoomed-in view follows play unless just moved by
// hand, and the scale under the track marks round times, finer as the view narrows.

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>

#include "shell/timeline_window.h"
#include "tests/library/library_fixtures.h"

namespace orvik::test {
namespace {

constexpr qint64 kJune15 = 8932LL * 8640000;  // 2024/06/15, in days from 2000/01/01

qint64 June15(int hours, int minutes, int seconds) {
    return kJune15 + TimeOfDay(hours, minutes, seconds);
}

// Frames every 30 s: 21 from 09:00:00 in folder 24061509, 11 from 10:00:00 in 24061510.
std::shared_ptr<const RecordingTimeline> TwoFolders(const TempTree& tree) {
    std::map<std::string, std::vector<std::int32_t>> folders;
    for (int i = 0; i < 21; ++i) {
        folders["24061509"].push_back(TimeOfDay(9, 0, 0) + i * 3000);
    }
    for (int i = 0; i < 11; ++i) {
        folders["24061510"].push_back(TimeOfDay(10, 0, 0) + i * 3000);
    }
    return std::make_shared<const RecordingTimeline>(ScanTimeline(tree, folders));
}

void Wheel(QWidget& widget, QPoint at, int notches) {
    QWheelEvent wheel(at, widget.mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

// The columns of the track's middle row that differ between two pictures of the window.
QList<int> ChangedColumns(const QImage& before, const QImage& after) {
    QList<int> changed;
    const int y = before.height() / 2;
    for (int x = 0; x < before.width(); ++x) {
        if (before.pixel(x, y) != after.pixel(x, y)) {
            changed.append(x);
        }
    }
    return changed;
}

// Drags the track from x by dx pixels, as a hand would.
void Drag(QWidget& widget, int x, int dx) {
    const int y = widget.height() / 2;
    QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(x, y));
    QTest::mouseMove(&widget, QPoint(x + dx / 2, y));
    QTest::mouseMove(&widget, QPoint(x + dx, y));
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, QPoint(x + dx, y));
}

// Short, so that the tests can wait it out.
constexpr std::chrono::milliseconds kTestFollowPause{200};

}  // namespace

class TimelineWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void clickChoosesTheLastFrameAtOrBeforeThePointer_data();
    void clickChoosesTheLastFrameAtOrBeforeThePointer();
    void markerAndStatusFollowTheFrameShown();
    void wheelZoomsAroundThePointer();
    void emptyAndOneFrameRecordingsDrawAndClickSensibly();
    void zoomedViewFollowsPlayUnlessJustMoved_data();
    void zoomedViewFollowsPlayUnlessJustMoved();
    void scaleMarksRoundTimesFinerWhenZoomedIn();

  private:
    void Click(int x) {
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(x, window->height() / 2));
    }

    std::unique_ptr<TempTree> tree;
    std::unique_ptr<TimelineWindow> window;
};

void TimelineWindowTest::init() {
    tree = std::make_unique<TempTree>();
    window = std::make_unique<TimelineWindow>();
    window->SetTimeline(TwoFolders(*tree));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TimelineWindowTest::clickChoosesTheLastFrameAtOrBeforeThePointer_data() {
    QTest::addColumn<qint64>("time");
    QTest::addColumn<int>("folder");
    QTest::addColumn<int>("file");
    QTest::newRow("first frame") << June15(9, 0, 0) << 0 << 0;
    QTest::newRow("a frame in the first folder") << June15(9, 3, 30) << 0 << 7;
    QTest::newRow("last frame of the first folder") << June15(9, 10, 0) << 0 << 20;
    QTest::newRow("the gap between the folders") << June15(9, 40, 0) << 0 << 20;
    QTest::newRow("first frame of the second folder") << June15(10, 0, 0) << 1 << 0;
    QTest::newRow("last frame") << June15(10, 5, 0) << 1 << 10;
}

void TimelineWindowTest::clickChoosesTheLastFrameAtOrBeforeThePointer() {
    QFETCH(qint64, time);
    QFETCH(int, folder);
    QFETCH(int, file);
    const std::optional<int> x = window->XOfTime(time);
    QVERIFY(x.has_value());
    QSignalSpy chosen(window.get(), &TimelineWindow::frameChosen);
    Click(*x);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0), (QVariantList{folder, file}));
}

void TimelineWindowTest::markerAndStatusFollowTheFrameShown() {
    QCOMPARE(window->StatusText(), QString("2 folders · 32 frames · no frame shown"));
    const QImage before = window->grab().toImage();
    window->SetShownFrame(1, 3);
    QCOMPARE(window->StatusText(),
             QString("folder 2 of 2 · frame 4 of 11 · 2024/06/15 10:01:30.00"));
    const int x = window->XOfTime(June15(10, 1, 30)).value();
    const QList<int> marker = ChangedColumns(before, window->grab().toImage());
    QVERIFY2(marker.contains(x) && marker.first() >= x - 1 && marker.last() <= x + 1,
             qPrintable(QString("marker at %1, want at %2").arg(marker.first()).arg(x)));

    window->SetShownFrame(1, 11);  // past the folder's last frame: none shown
    QCOMPARE(window->StatusText(), QString("2 folders · 32 frames · no frame shown"));
    QVERIFY(ChangedColumns(before, window->grab().toImage()).isEmpty());
}

void TimelineWindowTest::wheelZoomsAroundThePointer() {
    // The pointer halfway between frames 5 and 6 of the first folder, far left of the
    // centre, where a zoom around any other point would carry them off it.
    const int x = window->XOfTime(June15(9, 2, 45)).value();
    const int apart =
        window->XOfTime(June15(9, 3, 0)).value() - window->XOfTime(June15(9, 2, 30)).value();
    Wheel(*window, QPoint(x, window->height() / 2), 4);
    const int before = window->XOfTime(June15(9, 2, 30)).value_or(-1);
    const int after = window->XOfTime(June15(9, 3, 0)).value_or(-1);
    QVERIFY2(
        before < x && x < after && after - before >= 4 * apart,  // 1.5^4 wider
        qPrintable(QString("frames at %1 and %2, pointer at %3").arg(before).arg(after).arg(x)));
    QSignalSpy chosen(window.get(), &TimelineWindow::frameChosen);
    Click(x);
    QCOMPARE(chosen.at(0), (QVariantList{0, 5}));

    Wheel(*window, QPoint(x, window->height() / 2), -40);  // back out to the whole recording
    QCOMPARE(window->XOfTime(June15(9, 0, 0)), std::optional(8));
    QCOMPARE(window->XOfTime(June15(10, 5, 0)), std::optional(window->width() - 9));
}

void TimelineWindowTest::emptyAndOneFrameRecordingsDrawAndClickSensibly() {
    QSignalSpy chosen(window.get(), &TimelineWindow::frameChosen);
    window->SetTimeline(nullptr);
    window->SetShownFrame(0, 0);
    QCOMPARE(window->StatusText(), QString("No recording"));
    QVERIFY(!window->grab().isNull());
    Click(window->width() / 2);
    QCOMPARE(chosen.count(), 0);

    TempTree oneFrameTree;
    window->SetTimeline(std::make_shared<const RecordingTimeline>(
        ScanTimeline(oneFrameTree, {{"24061509", {TimeOfDay(9, 0, 0)}}})));
    QCOMPARE(window->StatusText(),
             QString("folder 1 of 1 · frame 1 of 1 · 2024/06/15 09:00:00.00"));
    // A minute around the one frame, the frame in the middle.
    const int middle = window->XOfTime(June15(9, 0, 0)).value();
    QVERIFY(std::abs(middle - window->width() / 2) <= 1);
    Click(8);
    Click(window->width() - 9);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1), (QVariantList{0, 0}));
}

void TimelineWindowTest::zoomedViewFollowsPlayUnlessJustMoved_data() {
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("dragged");  // the view, just before the frame changes
    QTest::addColumn<bool>("waited");   // the pause after the drag, before the frame changes
    QTest::addColumn<bool>("followed");
    QTest::newRow("playing") << true << false << false << true;
    QTest::newRow("stepped, not playing") << false << false << false << false;
    QTest::newRow("playing, just dragged") << true << true << false << false;
    QTest::newRow("playing, dragged a while ago") << true << true << true << true;
}

void TimelineWindowTest::zoomedViewFollowsPlayUnlessJustMoved() {
    QFETCH(bool, playing);
    QFETCH(bool, dragged);
    QFETCH(bool, waited);
    QFETCH(bool, followed);
    TimelineWindow timeline(nullptr, kTestFollowPause);
    timeline.SetTimeline(TwoFolders(*tree));
    timeline.show();
    QVERIFY(QTest::qWaitForWindowExposed(&timeline));
    // Two and a half minutes of the first folder in view; the zoom is a move of its own.
    Wheel(timeline, QPoint(timeline.XOfTime(June15(9, 2, 45)).value(), timeline.height() / 2), 8);
    QTest::qWait(kTestFollowPause.count() + 50);
    if (dragged) {
        Drag(timeline, timeline.width() / 2, -40);  // towards later times
        if (waited) {
            QTest::qWait(kTestFollowPause.count() + 50);
        }
    }
    const std::optional<int> before = timeline.XOfTime(June15(9, 3, 0));
    QVERIFY(before.has_value() && !timeline.XOfTime(June15(9, 8, 0)).has_value());

    timeline.SetShownFrame(0, 16, playing);  // 09:08:00, out of view
    const std::optional<int> marker = timeline.XOfTime(June15(9, 8, 0));
    if (followed) {
        QVERIFY2(marker.has_value() && std::abs(*marker - timeline.width() / 2) <= 2,
                 qPrintable(QString("marker at %1").arg(marker.value_or(-1))));
    } else {
        QVERIFY(!marker.has_value());
        QCOMPARE(timeline.XOfTime(June15(9, 3, 0)), before);
    }
}

void TimelineWindowTest::scaleMarksRoundTimesFinerWhenZoomedIn() {
    // The whole recording, 09:00 to 10:05: ticks whole minutes apart, the hour among them
    // under its own column.
    const std::vector<ScaleTick> whole = window->Scale();
    QVERIFY(whole.size() >= 4);
    const auto hour = std::find_if(whole.begin(), whole.end(), [](const ScaleTick& tick) {
        return tick.time == June15(10, 0, 0);
    });
    QVERIFY(hour != whole.end());
    QCOMPARE(hour->label, QString("10:00"));
    QCOMPARE(window->XOfTime(hour->time), std::optional(8 + hour->column));
    const qint64 wholeStep = whole[1].time - whole[0].time;
    QVERIFY2(wholeStep >= 6000 && 360000 % wholeStep == 0, qPrintable(QString::number(wholeStep)));

    // Twelve notches in (about half a minute): ticks seconds apart, labelled to the second.
    Wheel(*window, QPoint(window->XOfTime(June15(9, 2, 45)).value(), window->height() / 2), 12);
    const std::vector<ScaleTick> zoomed = window->Scale();
    QVERIFY(zoomed.size() >= 2);
    const qint64 zoomedStep = zoomed[1].time - zoomed[0].time;
    QVERIFY2(zoomedStep < 6000 && zoomed[0].time % zoomedStep == 0,
             qPrintable(QString("%1 apart from %2").arg(zoomedStep).arg(zoomed[0].time)));
    QVERIFY2(zoomed[0].label.startsWith("09:0") && zoomed[0].label.size() == 8,
             qPrintable(zoomed[0].label));
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::TimelineWindowTest)
#include "timeline_window_test.moc"
