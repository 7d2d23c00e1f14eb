// The "Color Setting" window driven like a user: opening from the store, slider steps by
// mouse and keys, Escape, OK, the close box, and the main window's end without saving.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWindow>
#include <QtTest>
#include <array>
#include <memory>
#include <vector>

#include "settings/settings_store.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "tests/colour_settings/temporary_store.h"

namespace orvik {
namespace {

constexpr std::array<int, 4> kSliderIds = {1030, 1031, 1032, 1033};
constexpr std::array<int, 4> kBoxIds = {1027, 1028, 1029, 1034};

// One call of the apply hook, with what the matching number box showed at that moment.
struct Applied {
    PictureAdjustments values;
    QString brightnessBox;
};

QList<int> AsList(const PictureAdjustments& a) {
    return {a.brightness, a.contrast, a.hue, a.saturation};
}

// The centre of a slider's handle, where a user grabs it.
QPoint HandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.subControls = QStyle::SC_All;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

// A press, move or release as the window system delivers it: to the window, at a point of
// widget, so that whichever control lies on top there gets it.
void UserMouse(QEvent::Type type, QWidget* widget, QPoint at) {
    QWindow* window = widget->window()->windowHandle();
    const QPoint inWindow = widget->mapTo(widget->window(), at);
    switch (type) {
        case QEvent::MouseButtonPress:
            QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inWindow);
            break;
        case QEvent::MouseMove:
            QTest::mouseMove(window, inWindow);
            break;
        default:
            QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inWindow);
            break;
    }
}

// Lets queued close requests and deferred deletions run.
void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class ColourSettingDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TemporaryStore> store;
    std::vector<Applied> applied;
    int dirtyMarks = 0;
    QPointer<ColourSettingDialog> dialog;

    ColourSettingDialog* Open() {
        dialog = new ColourSettingDialog;
        connect(dialog, &ColourSettingDialog::adjustmentsChanged, this,
                [this](const PictureAdjustments& values) {
                    applied.push_back({values, Box(0)->text()});
                });
        connect(dialog, &ColourSettingDialog::pictureChanged, this, [this] { ++dirtyMarks; });
        dialog->Open();
        return dialog;
    }
    QLineEdit* Box(std::size_t row) const {
        return dialog->findChild<QLineEdit*>(QString::number(kBoxIds[row]));
    }
    QSlider* Slider(std::size_t row) const {
        return dialog->findChild<QSlider*>(QString::number(kSliderIds[row]));
    }
    QStringList BoxTexts() const {
        return {Box(0)->text(), Box(1)->text(), Box(2)->text(), Box(3)->text()};
    }
    QList<int> SliderValues() const {
        return {Slider(0)->value(), Slider(1)->value(), Slider(2)->value(), Slider(3)->value()};
    }

  private slots:
    void init() {
        store = std::make_unique<test::TemporaryStore>();
        applied.clear();
        dirtyMarks = 0;
    }

    void cleanup() {
        delete dialog;
        store.reset();
    }

    void emptyStoreOpensAtDefaultsAndOkCreatesThem() {
        Open();
        QVERIFY(dialog->IsOpen());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Color Setting"));
        QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->pos(), QPoint(0, 0));
        QCOMPARE(SliderValues(), (QList<int>{80, 70, 49, 49}));
        QCOMPARE(BoxTexts(), (QStringList{"80", "70", "49", "49"}));
        QCOMPARE(int(applied.size()), 1);
        QCOMPARE(AsList(applied[0].values), (QList<int>{80, 70, 49, 49}));
        QCOMPARE(dirtyMarks, 0);
        QVERIFY(!QFile::exists(store->FilePath()));

        auto* ok = dialog->findChild<QPushButton*>("1");
        QVERIFY(ok != nullptr);
        QVERIFY(ok->isDefault());
        QTest::mouseClick(ok, Qt::LeftButton);
        Settle();
        QVERIFY(dialog.isNull());
        QCOMPARE(AsList(ReadStoredAdjustments()), (QList<int>{80, 70, 49, 49}));
        const QByteArray file = store->FileBytes();
        for (const char* line : {"Brightness=80", "Contrast=70", "Hue=49", "Saturation=49"}) {
            QVERIFY2(file.contains(line), line);
        }
    }

    void controlsSitAtTheirTemplateRectangles() {
        Open();
        QCOMPARE(dialog->size(), QSize(384, 244));  // 256 x 150 dialog units
        QCOMPARE(Slider(0)->geometry(), QRect(95, 33, 207, 24));
        QCOMPARE(Box(3)->geometry(), QRect(306, 150, 51, 23));
        QCOMPARE(dialog->findChild<QPushButton*>("1")->geometry(), QRect(288, 213, 69, 26));
        for (std::size_t row = 0; row < 4; ++row) {
            QVERIFY(Box(row)->isReadOnly());
            QCOMPARE(Slider(row)->minimum(), 0);
            QCOMPARE(Slider(row)->maximum(), 99);
            QCOMPARE(Slider(row)->singleStep(), 1);
            QCOMPARE(Slider(row)->pageStep(), 10);
            QCOMPARE(Slider(row)->tickPosition(), QSlider::NoTicks);
            QCOMPARE(Slider(row)->palette().color(QPalette::Window), QColor(Qt::white));
        }
    }

    void storedValuesOutsideTheRangeAreShownAndAppliedRaw_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("want");
        QTest::addColumn<QList<int>>("wantSliders");
        QTest::newRow("inside") << QByteArray("Brightness=0\nContrast=99\nHue=10\nSaturation=20\n")
                                << QList<int>{0, 99, 10, 20} << QList<int>{0, 99, 10, 20};
        QTest::newRow("outside")
            << QByteArray("Brightness=150\nContrast=-5\nHue=2147483647\nSaturation=100\n")
            << QList<int>{150, -5, 2147483647, 100} << QList<int>{99, 0, 99, 99};
        QTest::newRow("damaged values take defaults")
            << QByteArray("Brightness=abc\nContrast=1.5\nHue=1099511627776\nSaturation=-1\n")
            << QList<int>{80, 70, 49, -1} << QList<int>{80, 70, 49, 0};
    }

    void storedValuesOutsideTheRangeAreShownAndAppliedRaw() {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, want);
        QFETCH(QList<int>, wantSliders);
        store->WriteFile(file);
        Open();
        QCOMPARE(SliderValues(), wantSliders);
        for (std::size_t row = 0; row < 4; ++row) {
            QCOMPARE(Box(row)->text(), QString::number(want[row]));
        }
        // Clamping in the sliders applies nothing more.
        QCOMPARE(int(applied.size()), 1);
        QCOMPARE(AsList(applied[0].values), want);
        QCOMPARE(AsList(dialog->Adjustments()), want);
        QCOMPARE(dirtyMarks, 0);
    }

    // Each slider dragged by its thumb through the window, as a user's mouse does: every
    // intermediate position shows in the box and reaches the picture; OK, clicked, stores
    // where the drags ended.
    void dragAppliesEveryStepAndOkStoresTheEnd() {
        Open();
        QList<int> want = {80, 70, 49, 49};
        for (std::size_t row = 0; row < 4; ++row) {
            QSlider* slider = Slider(row);
            const std::size_t appliedBefore = applied.size();
            QPoint at = HandleCentre(slider);
            UserMouse(QEvent::MouseButtonPress, slider, at);
            QVERIFY(slider->isSliderDown());
            QCOMPARE(QApplication::focusWidget(), slider);
            std::vector<int> positions;
            for (int step = 0; step < 12; ++step) {
                at.rx() -= 4;
                UserMouse(QEvent::MouseMove, slider, at);
                if (positions.empty() || positions.back() != slider->value()) {
                    positions.push_back(slider->value());
                }
                QCOMPARE(Box(row)->text(), QString::number(slider->value()));
            }
            QVERIFY2(positions.size() >= 5, "the drag should pass several positions");
            QCOMPARE(applied.size(), appliedBefore + positions.size());
            for (std::size_t i = 0; i < positions.size(); ++i) {
                want[int(row)] = positions[i];
                QCOMPARE(AsList(applied[appliedBefore + i].values), want);
            }
            UserMouse(QEvent::MouseButtonRelease, slider, at);
            QVERIFY(!slider->isSliderDown());
            QCOMPARE(applied.size(), appliedBefore + positions.size());
        }
        QCOMPARE(applied[1].brightnessBox, QString::number(applied[1].values.brightness));
        QCOMPARE(dirtyMarks, int(applied.size()) - 1);

        auto* ok = dialog->findChild<QPushButton*>("1");
        UserMouse(QEvent::MouseButtonPress, ok, ok->rect().center());
        UserMouse(QEvent::MouseButtonRelease, ok, ok->rect().center());
        Settle();
        QVERIFY(dialog.isNull());
        QCOMPARE(AsList(ReadStoredAdjustments()), want);
    }

    // A click in the groove beside the thumb moves a page (10) towards the click.
    void grooveClickStepsAPage_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("rightOfThumb");
        QTest::addColumn<int>("want");
        QTest::newRow("brightness, left") << 0 << false << 70;
        QTest::newRow("contrast, right") << 1 << true << 80;
        QTest::newRow("hue, left") << 2 << false << 39;
        QTest::newRow("saturation, right") << 3 << true << 59;
    }

    void grooveClickStepsAPage() {
        QFETCH(int, row);
        QFETCH(bool, rightOfThumb);
        QFETCH(int, want);
        Open();
        QSlider* slider = Slider(std::size_t(row));
        const QPoint thumb = HandleCentre(slider);
        const QPoint at(rightOfThumb ? (thumb.x() + slider->width()) / 2 : thumb.x() / 2,
                        thumb.y());
        UserMouse(QEvent::MouseButtonPress, slider, at);
        UserMouse(QEvent::MouseButtonRelease, slider, at);
        QCOMPARE(slider->value(), want);
        QCOMPARE(Box(std::size_t(row))->text(), QString::number(want));
        QCOMPARE(AsList(applied.back().values)[row], want);
    }

    // Whatever lies at the middle of a visible control is that control: nothing covers it.
    void everyControlTakesItsOwnMouse() {
        Open();
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            if (control->isVisible() && control->parentWidget() == dialog.data()) {
                const QPoint middle = control->geometry().center();
                QWidget* hit = dialog->childAt(middle);
                QVERIFY2(
                    hit == control || control->isAncestorOf(hit) || control->inherits("QGroupBox"),
                    qPrintable(control->objectName()));
            }
        }
    }

    void keysStepTheSlider_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("want");
        QTest::newRow("right arrow") << 0 << int(Qt::Key_Right) << 81;
        QTest::newRow("left arrow") << 1 << int(Qt::Key_Left) << 69;
        QTest::newRow("page up") << 2 << int(Qt::Key_PageUp) << 59;
        QTest::newRow("page down") << 3 << int(Qt::Key_PageDown) << 39;
        QTest::newRow("home") << 0 << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << 1 << int(Qt::Key_End) << 99;
    }

    void keysStepTheSlider() {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, want);
        Open();
        QTest::keyClick(Slider(row), Qt::Key(key));
        QCOMPARE(Slider(row)->value(), want);
        QCOMPARE(Box(row)->text(), QString::number(want));
        QList<int> values = {80, 70, 49, 49};
        values[row] = want;
        QCOMPARE(int(applied.size()), 2);
        QCOMPARE(AsList(applied[1].values), values);
        QCOMPARE(dirtyMarks, 1);
        QVERIFY(!QFile::exists(store->FilePath()));  // nothing is saved by a step
    }

    void escapeLeavesTheWindowOpen() {
        Open();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(Slider(0), Qt::Key_Escape);
        Settle();
        QVERIFY(!dialog.isNull());
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->IsOpen());
        QCOMPARE(int(applied.size()), 1);
        QVERIFY(!QFile::exists(store->FilePath()));
    }

    void closeBoxSavesLikeOk() {
        store->WriteFile("Brightness=1\nContrast=2\nHue=3\nSaturation=4\n");
        Open();
        Slider(1)->setValue(60);
        Slider(3)->setValue(9);
        // The window system's close request, as the close box sends it.
        dialog->windowHandle()->close();
        Settle();
        QVERIFY(dialog.isNull());
        QCOMPARE(AsList(ReadStoredAdjustments()), (QList<int>{1, 60, 3, 9}));
    }

    void endWithoutSavingWritesNothing() {
        store->WriteFile("Brightness=1\nContrast=2\nHue=3\nSaturation=4\n");
        const QByteArray before = store->FileBytes();
        Open();
        Slider(0)->setValue(50);
        dialog->EndWithoutSaving();
        Settle();
        QVERIFY(dialog.isNull());
        QCOMPARE(store->FileBytes(), before);
        // The picture keeps what was applied; the next opening starts from the store.
        QCOMPARE(AsList(applied.back().values), (QList<int>{50, 2, 3, 4}));
    }

    void slidersAreIgnoredOnceTheWindowIsClosed() {
        Open();
        dialog->close();  // closed, not yet deleted
        Slider(2)->setValue(5);
        QCOMPARE(int(applied.size()), 1);
        QCOMPARE(Box(2)->text(), QStringLiteral("49"));
        QCOMPARE(dialog->Adjustments().hue, 49);
    }

    void lateCloseOfAnOldWindowLeavesTheNewOneAlone() {
        Open();
        QPointer<ColourSettingDialog> old = dialog;
        old->close();  // closed, not yet deleted
        Open();
        Slider(0)->setValue(5);
        old->close();  // a request that arrives late
        QVERIFY(dialog->IsOpen());
        QVERIFY(dialog->isVisible());
        QCOMPARE(AsList(ReadStoredAdjustments()), (QList<int>{80, 70, 49, 49}));
        Slider(0)->setValue(6);
        QCOMPARE(applied.back().values.brightness, 6);
        delete old;
    }

    void backgroundIsTurnedUprightAndStretchedWithoutBlending() {
        // As stored: the first stored row, the top of the picture as shown, is the last row
        // of the loaded image.
        QImage stored(5, 4, QImage::Format_RGB32);
        stored.fill(Qt::blue);
        for (int x = 0; x < stored.width(); ++x) {
            stored.setPixel(x, 3, qRgb(255, 0, 0));
            stored.setPixel(x, 1, x % 2 == 0 ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
        }
        const QImage shown = PrepareBackground(stored, QSize(13, 9));
        QCOMPARE(shown.size(), QSize(13, 9));
        for (int x = 0; x < shown.width(); ++x) {
            QCOMPARE(shown.pixel(x, 0), qRgb(255, 0, 0));
            QCOMPARE(shown.pixel(x, shown.height() - 1), qRgb(0, 0, 255));
        }
        const QList<QRgb> storedColours = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0),
                                           qRgb(255, 255, 255)};
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                QVERIFY2(storedColours.contains(shown.pixel(x, y)), "a blended pixel");
            }
        }
        QVERIFY(PrepareBackground(QImage(), QSize(13, 9)).isNull());
    }

    void windowPaintsBackground168BehindTheControls() {
        const QImage stored(QStringLiteral(":/bitmaps/168.bmp"));
        QVERIFY2(!stored.isNull(), "bitmap 168 is compiled in");
        QCOMPARE(stored.size(), QSize(399, 266));
        Open();
        const QImage shown = dialog->grab().toImage();
        const QImage want = PrepareBackground(stored, dialog->size());
        // Points between the frame of the group box and the window's edge.
        for (const QPoint at : {QPoint(3, 3), QPoint(380, 120), QPoint(200, 240)}) {
            QCOMPARE(QColor(shown.pixel(at)), QColor(want.pixel(at)));
        }
    }
};

}  // namespace orvik

QTEST_MAIN(orvik::ColourSettingDialogTest)
#include "colour_setting_dialog_test.moc"
