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

// Draws from a lit state, the face drawn last, the buttons they redrew and the state left.
struct DrawSequence {
    LitButtons before;
    std::vector<Draw> draws;
    int lastFace;
    QList<ControlId> redrawn;
    LitButtons after;
};

}  // namespace orvik

Q_DECLARE_METATYPE(orvik::DrawSequence)

namespace orvik {

class LitButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void drawSequence_data();
    void drawSequence();
    void onlyTheTwelveButtonsHaveFaces();
};

void LitButtonTest::drawSequence_data() {
    QTest::addColumn<DrawSequence>("sequence");
    QTest::newRow("Play pressed with nothing lit")
        << DrawSequence{{I::None, I::None}, {{I::Play, true}}, 138, {}, {I::Play, I::None}};
    QTest::newRow("Play pressed while Pause lit redraws Pause")
        << DrawSequence{{I::Pause, I::None},
                        {{I::Play, true}, {I::Pause, false}},
                        141,
                        {I::Pause},
                        {I::Play, I::None}};
    QTest::newRow("Play pressed again stays lit") << DrawSequence{
        {I::Play, I::None}, {{I::Play, true}, {I::Play, false}}, 138, {}, {I::Play, I::None}};
    QTest::newRow("Play pressed again redraws a waiting button") << DrawSequence{
        {I::Play, I::Pause}, {{I::Play, true}}, 138, {I::Pause}, {I::Play, I::None}};
    QTest::newRow("Play backward lit, Play unlit") << DrawSequence{
        {I::PlayBackward, I::None}, {{I::Play, false}}, 139, {}, {I::PlayBackward, I::None}};
    QTest::newRow("Stop lit by the folder end, then Play pressed")
        << DrawSequence{{I::Stop, I::Stop},
                        {{I::Stop, false}, {I::Play, true}, {I::Stop, false}},
                        137,
                        {I::Stop},
                        {I::Play, I::None}};
    QTest::newRow("Step forward held while Play lit") << DrawSequence{
        {I::Play, I::None}, {{I::StepForward, true}}, 142, {I::Play}, {I::StepForward, I::None}};
    QTest::newRow("Step forward released shows its normal face")
        << DrawSequence{{I::Play, I::None},
                        {{I::StepForward, true}, {I::StepForward, false}, {I::Play, false}},
                        139,
                        {I::Play},
                        {I::StepForward, I::None}};
    QTest::newRow("Step forward redrawn at rest changes nothing")
        << DrawSequence{{I::Play, I::None}, {{I::StepForward, false}}, 143, {}, {I::Play, I::None}};
    QTest::newRow("Step back held twice redraws nothing more") << DrawSequence{
        {I::StepBack, I::None}, {{I::StepBack, true}}, 131, {}, {I::StepBack, I::None}};
    QTest::newRow("Next folder held") << DrawSequence{{I::PlayBackward, I::None},
                                                      {{I::NextFolder, true}},
                                                      144,
                                                      {I::PlayBackward},
                                                      {I::NextFolder, I::None}};
    QTest::newRow("Previous folder faces")
        << DrawSequence{{I::None, I::None},
                        {{I::PreviousFolder, true}, {I::PreviousFolder, false}},
                        128,
                        {},
                        {I::PreviousFolder, I::None}};
    QTest::newRow("Choose folder redrawn at rest clears the light") << DrawSequence{
        {I::Play, I::None}, {{I::ChooseFolder, false}}, 147, {I::Play}, {I::None, I::None}};
    QTest::newRow("Choose folder pressed")
        << DrawSequence{{I::None, I::None}, {{I::ChooseFolder, true}}, 146, {}, {I::None, I::None}};
    QTest::newRow("Search pressed clears the light") << DrawSequence{{I::PlayBackward, I::None},
                                                                     {{I::Search, true}},
                                                                     154,
                                                                     {I::PlayBackward},
                                                                     {I::None, I::None}};
    QTest::newRow("Search at rest") << DrawSequence{
        {I::Pause, I::None}, {{I::Search, false}}, 153, {I::Pause}, {I::None, I::None}};
    QTest::newRow("Colour settings leaves the light alone")
        << DrawSequence{{I::Play, I::None},
                        {{I::ColourSettings, true}, {I::ColourSettings, false}},
                        151,
                        {},
                        {I::Play, I::None}};
    QTest::newRow("Colour settings pressed") << DrawSequence{
        {I::None, I::None}, {{I::ColourSettings, true}}, 150, {}, {I::None, I::None}};
    QTest::newRow("Close faces") << DrawSequence{
        {I::Stop, I::Stop}, {{I::Close, false}, {I::Close, true}}, 156, {}, {I::Stop, I::Stop}};
    QTest::newRow("Stop and Pause lit faces") << DrawSequence{{I::None, I::None},
                                                              {{I::Stop, true}, {I::Pause, true}},
                                                              140,
                                                              {I::Stop},
                                                              {I::Pause, I::None}};
    QTest::newRow("Play backward lit face") << DrawSequence{
        {I::Play, I::None}, {{I::PlayBackward, true}}, 148, {I::Play}, {I::PlayBackward, I::None}};
}

void LitButtonTest::drawSequence() {
    QFETCH(DrawSequence, sequence);

    LitButtons lit = sequence.before;
    QList<ControlId> redraws;
    int face = 0;
    for (const Draw& draw : sequence.draws) {
        const SkinButtonFaces* button = FindSkinButton(draw.id);
        QVERIFY(button != nullptr);
        const FaceChoice choice = ChooseFace(*button, draw.pressed, lit);
        face = choice.face;
        if (choice.invalidate != I::None) {
            redraws.append(choice.invalidate);
        }
    }
    QCOMPARE(face, sequence.lastFace);
    QCOMPARE(redraws, sequence.redrawn);
    QCOMPARE(lit.activeButton, sequence.after.activeButton);
    QCOMPARE(lit.previousButton, sequence.after.previousButton);
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
