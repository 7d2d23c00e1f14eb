// The Player's framePresented, which a timed start ends on: it comes once for every frame
// the tick presents, after the picture is in the picture surface, and never for a tick or a
// command that presents nothing.

#include <QTest>
#include <vector>

#include "tests/shell/window_harness.h"

namespace orvik::test {

class FramePresentedTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }
    void runsOncePerPresentedFrameWithThePictureDrawn();
};

void FramePresentedTest::runsOncePerPresentedFrameWithThePictureDrawn() {
    WindowHarness h;
    std::vector<QString> shown;  // what the picture area showed at each call
    QObject::connect(&h.player(), &Player::framePresented, [&] {
        for (const QColor& colour : {kRed, kGreen, kBlue}) {
            if (h.Shows(colour)) {
                shown.push_back(colour.name());
                return;
            }
        }
        shown.push_back("something else");
    });

    h.Tick(3);  // nothing loaded yet
    QCOMPARE(shown.size(), std::size_t{0});
    h.Choose(kFirstFolder);  // loads the first frame; commands never present
    QCOMPARE(shown.size(), std::size_t{0});
    h.Tick();
    h.Tick(2);  // nothing new loaded
    QCOMPARE(shown, (std::vector<QString>{kRed.name()}));

    // Speed 5, frames a second apart: a new frame every second tick.
    h.Click(ControlId::Play);
    h.Tick(5);
    QCOMPARE(shown, (std::vector<QString>{kRed.name(), kRed.name(), kGreen.name(), kBlue.name()}));
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::FramePresentedTest)
#include "frame_presented_test.moc"
