// The lit-button rule and the face each of the twelve buttons shows: sequences of draws from
// a given lit state, checked by the face drawn last, the buttons that had to be redrawn and
// the lit state left behind.

#include <QTest>

#include "shell/skin_buttons.h"

namespace orvik {

using I = ControlId;

struct Draw {
    ControlId id;
    bool pressed;
};

}  // namespace orvik

Q_DECLARE_METATYPE(std::vector<orvik::Draw>)

namespace orvik {

class LitButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void drawSequence_data();
    void drawSequence();
    void onlyTheTwelveButtonsHaveFaces();
};

void LitButtonTest::drawSequence_data() {
    QTest::addColumn<ControlId>("activeBefore");
    QTest::addColumn<ControlId>("previousBefore");
    QTest::addColumn<std::vector<Draw>>("draws");
    QTest::addColumn<int>("lastFace");
    QTest::addColumn<QList<ControlId>>("redrawn");
    QTest::addColumn<ControlId>("activeAfter");
    QTest::addColumn<ControlId>("previousAfter");

    using V = std::vector<Draw>;
    using R = QList<ControlId>;
    QTest::newRow("Play pressed with nothing lit")
        << I::None << I::None << V{{I::Play, true}} << 138 << R{} << I::Play << I::None;
    QTest::newRow("Play pressed while Pause lit redraws Pause")
        << I::Pause << I::None << V{{I::Play, true}, {I::Pause, false}} << 141 << R{I::Pause}
        << I::Play << I::None;
    QTest::newRow("Play pressed again stays lit")
        << I::Play << I::None << V{{I::Play, true}, {I::Play, false}} << 138 << R{} << I::Play
        << I::None;
    QTest::newRow("Play pressed again redraws a waiting button")
        << I::Play << I::Pause << V{{I::Play, true}} << 138 << R{I::Pause} << I::Play << I::None;
    QTest::newRow("Play backward lit, Play unlit")
        << I::PlayBackward << I::None << V{{I::Play, false}} << 139 << R{} << I::PlayBackward
        << I::None;
    QTest::newRow("Stop lit by the folder end, then Play pressed")
        << I::Stop << I::Stop << V{{I::Stop, false}, {I::Play, true}, {I::Stop, false}} << 137
        << R{I::Stop} << I::Play << I::None;
    QTest::newRow("Step forward held while Play lit")
        << I::Play << I::None << V{{I::StepForward, true}} << 142 << R{I::Play} << I::StepForward
        << I::None;
    QTest::newRow("Step forward released shows its normal face")
        << I::Play << I::None
        << V{{I::StepForward, true}, {I::StepForward, false}, {I::Play, false}} << 139 << R{I::Play}
        << I::StepForward << I::None;
    QTest::newRow("Step forward redrawn at rest changes nothing")
        << I::Play << I::None << V{{I::StepForward, false}} << 143 << R{} << I::Play << I::None;
    QTest::newRow("Step back held twice redraws nothing more")
        << I::StepBack << I::None << V{{I::StepBack, true}} << 131 << R{} << I::StepBack << I::None;
    QTest::newRow("Next folder held") << I::PlayBackward << I::None << V{{I::NextFolder, true}}
                                      << 144 << R{I::PlayBackward} << I::NextFolder << I::None;
    QTest::newRow("Previous folder faces")
        << I::None << I::None << V{{I::PreviousFolder, true}, {I::PreviousFolder, false}} << 128
        << R{} << I::PreviousFolder << I::None;
    QTest::newRow("Choose folder redrawn at rest clears the light")
        << I::Play << I::None << V{{I::ChooseFolder, false}} << 147 << R{I::Play} << I::None
        << I::None;
    QTest::newRow("Choose folder pressed")
        << I::None << I::None << V{{I::ChooseFolder, true}} << 146 << R{} << I::None << I::None;
    QTest::newRow("Search pressed clears the light")
        << I::PlayBackward << I::None << V{{I::Search, true}} << 154 << R{I::PlayBackward}
        << I::None << I::None;
    QTest::newRow("Search at rest")
        << I::Pause << I::None << V{{I::Search, false}} << 153 << R{I::Pause} << I::None << I::None;
    QTest::newRow("Colour settings leaves the light alone")
        << I::Play << I::None << V{{I::ColourSettings, true}, {I::ColourSettings, false}} << 151
        << R{} << I::Play << I::None;
    QTest::newRow("Colour settings pressed")
        << I::None << I::None << V{{I::ColourSettings, true}} << 150 << R{} << I::None << I::None;
    QTest::newRow("Close faces") << I::Stop << I::Stop << V{{I::Close, false}, {I::Close, true}}
                                 << 156 << R{} << I::Stop << I::Stop;
    QTest::newRow("Stop and Pause lit faces")
        << I::None << I::None << V{{I::Stop, true}, {I::Pause, true}} << 140 << R{I::Stop}
        << I::Pause << I::None;
    QTest::newRow("Play backward lit face") << I::Play << I::None << V{{I::PlayBackward, true}}
                                            << 148 << R{I::Play} << I::PlayBackward << I::None;
}

void LitButtonTest::drawSequence() {
    QFETCH(ControlId, activeBefore);
    QFETCH(ControlId, previousBefore);
    QFETCH(std::vector<Draw>, draws);
    QFETCH(int, lastFace);
    QFETCH(QList<ControlId>, redrawn);
    QFETCH(ControlId, activeAfter);
    QFETCH(ControlId, previousAfter);

    LitButtons lit{activeBefore, previousBefore};
    QList<ControlId> redraws;
    int face = 0;
    for (const Draw& draw : draws) {
        const SkinButtonFaces* button = FindSkinButton(draw.id);
        QVERIFY(button != nullptr);
        const FaceChoice choice = ChooseFace(*button, draw.pressed, lit);
        face = choice.face;
        if (choice.invalidate != I::None) {
            redraws.append(choice.invalidate);
        }
    }
    QCOMPARE(face, lastFace);
    QCOMPARE(redraws, redrawn);
    QCOMPARE(lit.activeButton, activeAfter);
    QCOMPARE(lit.previousButton, previousAfter);
}

void LitButtonTest::onlyTheTwelveButtonsHaveFaces() {
    int found = 0;
    for (int id = 1000; id <= 1030; ++id) {
        found += FindSkinButton(ControlId(id)) != nullptr;
    }
    QCOMPARE(found, 12);
    QVERIFY(FindSkinButton(I::Ok) == nullptr);
    QVERIFY(FindSkinButton(I::PictureFrame) == nullptr);
    QVERIFY(FindSkinButton(I::SpeedSlider) == nullptr);
}

}  // namespace orvik

QTEST_APPLESS_MAIN(orvik::LitButtonTest)
#include "lit_button_test.moc"
