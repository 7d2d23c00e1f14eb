// The compiled-in bitmaps: every resource the windows load is there at its size, stored
// upside down so that drawing it flipped shows it upright, and the faces of each button
// pair differ.

#include <QImage>
#include <QTest>

#include "shell/bottom_up_picture.h"
#include "shell/skin_buttons.h"

namespace orvik {

class BitmapResourcesTest : public QObject {
    Q_OBJECT

  private slots:
    void sizes_data();
    void sizes();
    void skinIsStoredUpsideDown();
    void buttonFacePairsDiffer();
    void drawnFacesAreUpright();
};

void BitmapResourcesTest::sizes_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QSize>("size");
    QTest::newRow("skin") << 122 << QSize(704, 688);
    QTest::newRow("colour settings background") << 168 << QSize(399, 266);
    QTest::newRow("icon") << 159 << QSize(32, 32);
    const struct {
        int ids[2];
        QSize size;
    } faces[] = {
        {{128, 130}, {50, 46}}, {{131, 134}, {46, 46}}, {{135, 137}, {46, 46}},
        {{138, 139}, {54, 60}}, {{140, 141}, {46, 46}}, {{142, 143}, {46, 46}},
        {{144, 145}, {50, 46}}, {{146, 147}, {56, 46}}, {{148, 149}, {54, 60}},
        {{150, 151}, {66, 46}}, {{153, 154}, {68, 46}}, {{155, 156}, {20, 18}},
    };
    for (const auto& pair : faces) {
        for (const int id : pair.ids) {
            QTest::addRow("face %d", id) << id << pair.size;
        }
    }
}

void BitmapResourcesTest::sizes() {
    QFETCH(int, id);
    QFETCH(QSize, size);
    const QImage stored = LoadStoredBitmap(id);
    QVERIFY2(!stored.isNull(), "resource missing");
    QCOMPARE(stored.size(), size);
    QCOMPARE(QImage(QString(":/bitmaps/%1.bmp").arg(int(id))).depth(),
             32);  // 24-bit BMP, read as RGB32
}

// The skin's black band lies behind the buttons at the bottom of the window: stored upside
// down, it comes first in the file's picture as read.
void BitmapResourcesTest::skinIsStoredUpsideDown() {
    const QImage stored(":/bitmaps/122.bmp");
    QVERIFY(!stored.isNull());
    const QColor firstRows = stored.pixelColor(352, 10);
    const QColor lastRows = stored.pixelColor(352, 680);
    QVERIFY2(firstRows.lightness() < 20, "the band should be the stored picture's first rows");
    QVERIFY2(lastRows.lightness() > firstRows.lightness() + 20, "the top should be slate");
    const QImage upright = UprightBitmap(122, stored.size());
    QCOMPARE(upright.pixel(352, 10), stored.pixel(352, stored.height() - 1 - 10));
}

void BitmapResourcesTest::buttonFacePairsDiffer() {
    for (int id = 1000; id <= 1026; ++id) {
        const SkinButtonFaces* button = FindSkinButton(ControlId(id));
        if (button == nullptr) {
            continue;
        }
        const QImage a = LoadStoredBitmap(button->litOrPressedFace);
        const QImage b = LoadStoredBitmap(button->otherFace);
        QVERIFY2(a != b, qPrintable(QString("button %1 shows the same face twice").arg(int(id))));
    }
}

// Drawn flipped, a face lies upright: the Search face's underline, the one row lit across
// its whole middle, sits below the word.
void BitmapResourcesTest::drawnFacesAreUpright() {
    const QImage face = UprightBitmap(153, QSize(68, 46));
    auto litAcross = [&face](int y) {
        for (int x = 28; x <= 40; ++x) {
            if (face.pixelColor(x, y).lightness() < 110) {
                return false;
            }
        }
        return true;
    };
    int underline = -1;
    for (int y = 0; y < face.height(); ++y) {
        if (litAcross(y)) {
            QVERIFY2(underline == -1 || underline == y - 1, "one underline expected");
            underline = y;
        }
    }
    QVERIFY2(underline > face.height() * 3 / 5,
             qPrintable(QString("underline at row %1").arg(underline)));
}

}  // namespace orvik

QTEST_MAIN(orvik::BitmapResourcesTest)
#include "bitmap_resources_test.moc"
