// The lit-button rule and the face each of the twelve buttons shows: sequences of draws from
// a given lit state, checked by the face drawn last, the buttons that had to be redrawn and
// the lit state left behind.

#include <QTest>

#include "shell/skin_buttons.h"

namespace orvik {

struct Draw {
    int id;
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
    QTest::addColumn<int>("activeBefore");
    QTest::addColumn<int>("previousBefore");
    QTest::addColumn<std::vector<Draw>>("draws");
    QTest::addColumn<int>("lastFace");
    QTest::addColumn<QList<int>>("redrawn");
    QTest::addColumn<int>("activeAfter");
    QTest::addColumn<int>("previousAfter");

    using V = std::vector<Draw>;
    using R = QList<int>;
    QTest::newRow("Play pressed with nothing lit")
        << 0 << 0 << V{{1002, true}} << 138 << R{} << 1002 << 0;
    QTest::newRow("Play pressed while Pause lit redraws Pause")
        << 1005 << 0 << V{{1002, true}, {1005, false}} << 141 << R{1005} << 1002 << 0;
    QTest::newRow("Play pressed again stays lit")
        << 1002 << 0 << V{{1002, true}, {1002, false}} << 138 << R{} << 1002 << 0;
    QTest::newRow("Play pressed again redraws a waiting button")
        << 1002 << 1005 << V{{1002, true}} << 138 << R{1005} << 1002 << 0;
    QTest::newRow("Play backward lit, Play unlit")
        << 1011 << 0 << V{{1002, false}} << 139 << R{} << 1011 << 0;
    QTest::newRow("Stop lit by the folder end, then Play pressed")
        << 1008 << 1008 << V{{1008, false}, {1002, true}, {1008, false}} << 137 << R{1008} << 1002
        << 0;
    QTest::newRow("Step forward held while Play lit")
        << 1002 << 0 << V{{1007, true}} << 142 << R{1002} << 1007 << 0;
    QTest::newRow("Step forward released shows its normal face")
        << 1002 << 0 << V{{1007, true}, {1007, false}, {1002, false}} << 139 << R{1002} << 1007
        << 0;
    QTest::newRow("Step forward redrawn at rest changes nothing")
        << 1002 << 0 << V{{1007, false}} << 143 << R{} << 1002 << 0;
    QTest::newRow("Step back held twice redraws nothing more")
        << 1006 << 0 << V{{1006, true}} << 131 << R{} << 1006 << 0;
    QTest::newRow("Next folder held")
        << 1011 << 0 << V{{1003, true}} << 144 << R{1011} << 1003 << 0;
    QTest::newRow("Previous folder faces")
        << 0 << 0 << V{{1004, true}, {1004, false}} << 128 << R{} << 1004 << 0;
    QTest::newRow("Choose folder redrawn at rest clears the light")
        << 1002 << 0 << V{{1000, false}} << 147 << R{1002} << 0 << 0;
    QTest::newRow("Choose folder pressed") << 0 << 0 << V{{1000, true}} << 146 << R{} << 0 << 0;
    QTest::newRow("Search pressed clears the light")
        << 1011 << 0 << V{{1026, true}} << 154 << R{1011} << 0 << 0;
    QTest::newRow("Search at rest") << 1005 << 0 << V{{1026, false}} << 153 << R{1005} << 0 << 0;
    QTest::newRow("Colour settings leaves the light alone")
        << 1002 << 0 << V{{1012, true}, {1012, false}} << 151 << R{} << 1002 << 0;
    QTest::newRow("Colour settings pressed") << 0 << 0 << V{{1012, true}} << 150 << R{} << 0 << 0;
    QTest::newRow("Close faces") << 1008 << 1008 << V{{1016, false}, {1016, true}} << 156 << R{}
                                 << 1008 << 1008;
    QTest::newRow("Stop and Pause lit faces")
        << 0 << 0 << V{{1008, true}, {1005, true}} << 140 << R{1008} << 1005 << 0;
    QTest::newRow("Play backward lit face")
        << 1002 << 0 << V{{1011, true}} << 148 << R{1002} << 1011 << 0;
}

void LitButtonTest::drawSequence() {
    QFETCH(int, activeBefore);
    QFETCH(int, previousBefore);
    QFETCH(std::vector<Draw>, draws);
    QFETCH(int, lastFace);
    QFETCH(QList<int>, redrawn);
    QFETCH(int, activeAfter);
    QFETCH(int, previousAfter);

    LitButtons lit{activeBefore, previousBefore};
    QList<int> redraws;
    int face = 0;
    for (const Draw& draw : draws) {
        const SkinButtonFaces* button = FindSkinButton(draw.id);
        QVERIFY(button != nullptr);
        const FaceChoice choice = ChooseFace(*button, draw.pressed, lit);
        face = choice.face;
        if (choice.invalidate != 0) {
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
        found += FindSkinButton(id) != nullptr;
    }
    QCOMPARE(found, 12);
    QVERIFY(FindSkinButton(1) == nullptr);
    QVERIFY(FindSkinButton(1014) == nullptr);
    QVERIFY(FindSkinButton(1009) == nullptr);
}

}  // namespace orvik

QTEST_APPLESS_MAIN(orvik::LitButtonTest)
#include "lit_button_test.moc"
