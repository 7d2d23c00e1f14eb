// The Frame window as a user sees it: its title, the picture's own pixels at 1:1, the picture
// fitted whole with its aspect kept, and the zoom kept while pictures follow each other.

#include <QTest>

#include "shell/frame_window.h"

namespace orvik::test {
namespace {

// A picture in the viewer's pixel layout whose every pixel differs from its neighbours and
// from black.
QImage Pattern(int width, int height, int seed) {
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, qRgb(x, y, 100 + seed));
        }
    }
    return picture;
}

// The window's pixels over rect, as the picture's format holds them.
QImage Shown(QWidget& window, const QRect& rect) {
    return window.grab(rect).toImage().convertToFormat(QImage::Format_BGR888);
}

// Shows window at size with the 200 x 100 pattern of seed 0 at 1:1, centred; false when the
// window never showed.
bool ShowPatternOneToOne(FrameWindow& window, QSize size) {
    window.resize(size);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return false;
    }
    window.SetPicture(Pattern(200, 100, 0), "");
    QTest::keyClick(&window, Qt::Key_1);
    return true;
}

}  // namespace

class FrameWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void titleCarriesTheFramesTime();
    void oneToOneShowsThePicturesOwnPixelsAndStaysForTheNextPicture();
    void fitKeepsTheAspect();
    void shiftDragDrawsTheRegionAndShiftClickClearsIt();
};

void FrameWindowTest::titleCarriesTheFramesTime() {
    FrameWindow window;
    QVERIFY(window.windowTitle().startsWith("Frame"));
    window.SetPicture(Pattern(20, 10, 0), "2024/06/15 09:00:05.01");
    QCOMPARE(window.windowTitle(), QString("Frame — 2024/06/15 09:00:05.01"));
}

void FrameWindowTest::oneToOneShowsThePicturesOwnPixelsAndStaysForTheNextPicture() {
    FrameWindow window;
    QVERIFY(ShowPatternOneToOne(window, QSize(300, 200)));
    const QRect centred(50, 50, 200, 100);
    QCOMPARE(Shown(window, centred), Pattern(200, 100, 0));
    window.SetPicture(Pattern(200, 100, 1), "");
    QCOMPARE(Shown(window, centred), Pattern(200, 100, 1));
}

void FrameWindowTest::fitKeepsTheAspect() {
    FrameWindow window;
    QVERIFY(ShowPatternOneToOne(window, QSize(300, 300)));
    QTest::keyClick(&window, Qt::Key_0);
    const QImage picture = Pattern(200, 100, 0);
    // 1.5 times, 300 x 150, between black bands of 75 rows; the pixels checked are ones
    // that lie wholly within one picture pixel, which they must repeat unblended.
    const QImage shown = Shown(window, window.rect());
    for (const int y : {0, 74, 225, 299}) {
        QCOMPARE(shown.pixel(150, y), qRgb(0, 0, 0));
    }
    for (const QPoint at : {QPoint(0, 75), QPoint(3, 78), QPoint(150, 150), QPoint(299, 224)}) {
        const QPoint source(at.x() * 2 / 3, (at.y() - 75) * 2 / 3);
        QCOMPARE(shown.pixel(at), picture.pixel(source));
    }
}

// At 1:1 with the picture at (50, 50): a Shift+drag from window (60, 70) to (110, 90) draws
// picture pixels (10, 20) to (59, 39), outlined; a Shift+click clears it.
void FrameWindowTest::shiftDragDrawsTheRegionAndShiftClickClearsIt() {
    FrameWindow window;
    QVERIFY(ShowPatternOneToOne(window, QSize(300, 200)));
    QList<QRect> drawn;
    connect(&window, &FrameWindow::regionDrawn, [&drawn](const QRect& r) { drawn << r; });
    QTest::mousePress(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 70));
    QTest::mouseMove(&window, QPoint(110, 90));
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 90));
    QCOMPARE(drawn, QList<QRect>{QRect(10, 20, 50, 20)});
    QCOMPARE(window.Region(), QRect(10, 20, 50, 20));
    QVERIFY(Shown(window, QRect(85, 69, 1, 2)) != Pattern(200, 100, 0).copy(35, 19, 1, 2));
    QTest::mouseClick(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 80));
    QCOMPARE(drawn.last(), QRect());
    QCOMPARE(Shown(window, QRect(50, 50, 200, 100)), Pattern(200, 100, 0));  // no outline
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::FrameWindowTest)
#include "frame_window_test.moc"
