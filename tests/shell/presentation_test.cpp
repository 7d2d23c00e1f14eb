// Presenting the picture: where each picture size lands in the picture area, nearest-
// neighbour enlargement with nothing blended, sizes beyond the picture buffer, the
// blackening of the old picture area, and the Search command's reading of typed text.

#include <QTest>

#include "decoder/decode_frame.h"
#include "shell/search_codes.h"
#include "shell/viewer.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

namespace {

constexpr QRgb kUntouched = 0xff123456;

// A picture whose every pixel names its own place: R = x, G = y (both mod 256), B = the
// high bits of each. Laid out bottom row first in a picture buffer, as decoded.
std::vector<std::uint8_t> FillPicture(int w, int h) {
    std::vector<std::uint8_t> bits(kPictureBitsBytes);
    // In the variant the viewer's clip library decodes with, the processor's.
    const std::size_t stride = PictureStride(ProcessorVariant(), w);
    for (int y = 0; y < h; ++y) {  // y counts from the top
        std::uint8_t* row = bits.data() + std::size_t(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            row[3 * x] = std::uint8_t((x >> 8) << 4 | (y >> 8));  // blue
            row[3 * x + 1] = std::uint8_t(y);                     // green
            row[3 * x + 2] = std::uint8_t(x);                     // red
        }
    }
    return bits;
}

QRgb PictureColour(int x, int y) {
    return qRgb(x & 0xff, y & 0xff, (x >> 8) << 4 | (y >> 8));
}

}  // namespace

class PresentationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }

    void placement_data();
    void placement();
    void picturesBeyondTheBufferAreNotDrawn_data();
    void picturesBeyondTheBufferAreNotDrawn();
    void blackeningHookClearsTheOldArea();
    void aSmallerFrameLeavesNoOldPictureBehind();
    void searchCodes_data();
    void searchCodes();
};

void PresentationTest::placement_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("target");  // where the whole picture lands, before clipping
    QTest::newRow("640 x 480 fills the area") << QSize(640, 480) << QRect(0, 0, 640, 480);
    QTest::newRow("320 x 240 enlarged by half") << QSize(320, 240) << QRect(80, 60, 480, 360);
    QTest::newRow("352 x 288 enlarged by half") << QSize(352, 288) << QRect(72, 48, 528, 432);
    QTest::newRow("an odd size truncates") << QSize(101, 33) << QRect(134, 111, 151, 49);
    QTest::newRow("wider: its lower-left part, unscaled")
        << QSize(800, 600) << QRect(0, -120, 800, 600);
    QTest::newRow("640 wide and short: from the lower edge up")
        << QSize(640, 240) << QRect(0, 240, 640, 240);
    QTest::newRow("largest picture") << QSize(1280, 1024) << QRect(0, -544, 1280, 1024);
}

void PresentationTest::placement() {
    QFETCH(QSize, size);
    QFETCH(QRect, target);
    CMavViewer viewer(QSize(720, 680));
    viewer.pictureSurface.fill(kUntouched);
    viewer.DrawPicture(FillPicture(size.width(), size.height()).data(), size.width(),
                       size.height());

    const bool wide = size.width() >= 640;
    const QRect drawn = target.intersected(wide ? QRect(0, 0, 640, 480) : QRect(0, 0, 1280, 1024));
    const QImage& surface = viewer.pictureSurface;
    for (int y = 0; y < 1024; y += 7) {
        for (int x = 0; x < 1280; x += 5) {
            const QRgb shown = surface.pixel(x, y);
            if (!drawn.contains(x, y)) {
                QVERIFY2(shown == kUntouched, qPrintable(QString("%1,%2 drawn").arg(x).arg(y)));
                continue;
            }
            // Nearest neighbour: the picture pixel under this one, never a blend.
            const int px = (x - target.left()) * size.width() / target.width();
            const int py = (y - target.top()) * size.height() / target.height();
            QVERIFY2(shown == PictureColour(px, py),
                     qPrintable(QString("%1,%2 shows %3, want picture %4,%5")
                                    .arg(x)
                                    .arg(y)
                                    .arg(shown, 8, 16)
                                    .arg(px)
                                    .arg(py)));
        }
    }
    // The corners of the area: the picture's top-left lands top-left (drawn upright).
    if (!wide) {
        QCOMPARE(surface.pixel(target.topLeft()), PictureColour(0, 0));
        QCOMPARE(surface.pixel(target.bottomRight()),
                 PictureColour(size.width() - 1, size.height() - 1));
    } else {
        QCOMPARE(surface.pixel(0, 479), PictureColour(0, size.height() - 1));
    }
}

void PresentationTest::picturesBeyondTheBufferAreNotDrawn_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("one column too many") << 1281 << 1024;
    QTest::newRow("one row too many") << 1280 << 1025;
    QTest::newRow("widest header") << 65535 << 65535;
    QTest::newRow("no width") << 0 << 480;
    QTest::newRow("no height") << 320 << 0;
}

void PresentationTest::picturesBeyondTheBufferAreNotDrawn() {
    QFETCH(int, width);
    QFETCH(int, height);
    CMavViewer viewer(QSize(720, 680));
    viewer.pictureSurface.fill(kUntouched);
    viewer.DrawPicture(std::vector<std::uint8_t>(kPictureBitsBytes, 0x77).data(), width, height);
    QCOMPARE(viewer.pictureSurface.pixel(0, 0), kUntouched);
    QCOMPARE(viewer.pictureSurface.pixel(320, 240), kUntouched);
    QCOMPARE(viewer.pictureSurface.pixel(0, 479), kUntouched);
}

void PresentationTest::blackeningHookClearsTheOldArea() {
    CMavViewer viewer(QSize(720, 680));
    viewer.pictureSurface.fill(kUntouched);
    viewer.BlackenPictureArea(320, 240);
    QCOMPARE(viewer.pictureSurface.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(viewer.pictureSurface.pixel(319, 239), qRgb(0, 0, 0));
    QCOMPARE(viewer.pictureSurface.pixel(320, 0), kUntouched);
    QCOMPARE(viewer.pictureSurface.pixel(0, 240), kUntouched);
}

// A 640 x 480 frame, then a 320 x 240 one: the loader blackens the old area, so around the
// enlarged small picture nothing of the big one is left.
void PresentationTest::aSmallerFrameLeavesNoOldPictureBehind() {
    WindowHarness h(false);
    WriteFrames(h.tree(), kFirstFolder,
                {{TimeOfDay(10, 0, 0), kRed}, {TimeOfDay(10, 0, 1), kGreen, 320, 240}});
    h.Choose(kFirstFolder);
    h.Tick();
    QVERIFY(h.Shows(kRed));
    QVERIFY(h.Picture(10, 10) != qRgb(0, 0, 0));
    h.Click(ControlId::StepForward);
    h.Tick();
    QVERIFY(h.Shows(kGreen));
    QCOMPARE(h.Picture(10, 10), qRgb(0, 0, 0));
    QCOMPARE(h.Picture(630, 470), qRgb(0, 0, 0));
    QVERIFY(h.Picture(80, 60) != qRgb(0, 0, 0));
    QCOMPARE(h.Picture(79, 60), qRgb(0, 0, 0));
}

void PresentationTest::searchCodes_data() {
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<int>("dateCode");
    QTest::addColumn<int>("timeCode");
    QTest::newRow("the last half minute of 2009")
        << QByteArray("2009/12/31") << QByteArray("23:59:30") << 9123123 << 8637099;
    QTest::newRow("midnight") << QByteArray("2010/02/04") << QByteArray("00:00:00") << 10020400
                              << 99;
    QTest::newRow("empty boxes") << QByteArray("") << QByteArray("") << 0 << 99;
    QTest::newRow("texts ending early")
        << QByteArray("2009/12") << QByteArray("23:59") << 9120023 << 8634099;
    QTest::newRow("text shorter than the first piece")
        << QByteArray("2") << QByteArray("1") << 1 << 360099;
    QTest::newRow("letters count for nothing")
        << QByteArray("20ab/1x/y2") << QByteArray("a1:b2:c3") << 10201 << 372399;
    QTest::newRow("no separators")
        << QByteArray("20091231") << QByteArray("235930") << 9230023 << 8838099;
}

void PresentationTest::searchCodes() {
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(int, dateCode);
    QFETCH(int, timeCode);
    const SearchCodes codes = ReadSearchCodes(date.constData(), time.constData());
    QCOMPARE(codes.dateCode, dateCode);
    QCOMPARE(codes.timeCode, timeCode);
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::PresentationTest)
#include "presentation_test.moc"
