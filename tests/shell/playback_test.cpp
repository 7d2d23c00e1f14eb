// The playback tick, fired by hand: forward and backward play across folder ends and off the
// ends of the list, pause in each direction, speed changes, the clock's wrap at midnight and
// its floor at 0, and the position slider taken during play.

#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <map>

#include "library/play_state.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

namespace {

// A folder with frames at midnight and one second after, for the clock's edges.
constexpr char kMidnightFolder[] = "09123100";

// Eight frames a second apart, each its own colour, and a folder after it.
constexpr char kEightFrames[] = "09123021";
constexpr char kAfterEight[] = "09123022";
const std::vector<QColor> kEightColours = {kRed,  kGreen,   kBlue, kYellow,
                                           kCyan, kMagenta, kGrey, kOrange};

// Runs commands written as words: play, back (Play backward), pause, stop, fwd (Step
// forward), rew (Step back), next, prev, slider:N (the position slider dragged to N),
// search:HH:MM:SS, and tN (N ticks of the play clock).
void Run(WindowHarness& h, const QString& commands) {
    const std::map<QString, ControlId> buttons = {
        {"play", ControlId::Play},       {"back", ControlId::PlayBackward},
        {"pause", ControlId::Pause},     {"stop", ControlId::Stop},
        {"fwd", ControlId::StepForward}, {"rew", ControlId::StepBack},
        {"next", ControlId::NextFolder}, {"prev", ControlId::PreviousFolder}};
    for (const QString& word : commands.split(' ', Qt::SkipEmptyParts)) {
        if (buttons.count(word) != 0) {
            h.Click(buttons.at(word));
        } else if (word.startsWith("slider:")) {
            QSlider* slider = h.Slider(ControlId::PositionSlider);
            slider->setSliderDown(true);
            slider->setSliderPosition(word.mid(7).toInt());
            slider->setSliderDown(false);
        } else if (word.startsWith("search:")) {
            h.Edit(ControlId::TimeBox)->setText(word.mid(7));
            h.Click(ControlId::Search);
        } else if (word.startsWith('t')) {
            h.Tick(word.mid(1).toInt());
        } else {
            QFAIL(qPrintable("unknown command " + word));
        }
    }
}

PlayState State(WindowHarness& h) {
    return h.player().State();
}

}  // namespace

class PlaybackTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }

    void playForwardAcrossAFolderEnd();
    void playForwardOffTheLastFolder();
    void playBackwardIntoThePreviousFolder();
    void pause_data();
    void pause();
    void playWhilePlaying();
    void speedChangeWhilePlaying();
    void forwardClockWrapsAtMidnight();
    void backwardClockHeldAtZero();
    void positionSliderDuringPlayPauses();
    void haltedPlayShowsTheNumberOfTheFrameShown_data();
    void haltedPlayShowsTheNumberOfTheFrameShown();
};

// Speed 5 moves the clock 50 hundredths a tick, so frames a second apart change every second
// tick; the folder's end hands over to the next folder, where play goes on.
void PlaybackTest::playForwardAcrossAFolderEnd() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(ControlId::Play);
    QCOMPARE(State(h), PlayState::PlayingForward);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Play);
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 0));

    const struct {
        QColor colour;
        const char* time;
        const char* shownPosition;
    } expected[] = {{kRed, "21:00:00", "1"},
                    {kRed, "21:00:00", "1"},
                    {kGreen, "21:00:01", "2"},
                    {kGreen, "21:00:01", "2"},
                    {kBlue, "21:00:02", "3"}};
    for (const auto& step : expected) {
        h.Tick();
        QVERIFY(h.Shows(step.colour));
        QCOMPARE(h.Text(ControlId::TimeBox), QString(step.time));
        QCOMPARE(h.Text(ControlId::PositionBox), QString(step.shownPosition));
        QCOMPARE(State(h), PlayState::PlayingForward);
    }
    QCOMPARE(h.player().Position(), 4);  // one past the frame shown
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), 3);

    h.Tick();  // the last frame was shown: Next folder runs and play resumes there
    QCOMPARE(State(h), PlayState::PlayingForward);
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/31"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->maximum(), 2);
    QCOMPARE(h.player().Clock(), TimeOfDay(22, 0, 0));
    QVERIFY(h.Shows(kBlue));  // presented by the next tick
    h.Tick();
    QVERIFY(h.Shows(kYellow));
    QVERIFY(h.TickUntil([&] { return h.Shows(kCyan); }, 4));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("2"));
}

void PlaybackTest::playForwardOffTheLastFolder() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(ControlId::Play);
    QVERIFY(h.TickUntil([&] { return State(h) != PlayState::PlayingForward; }, 200));
    QCOMPARE(State(h), PlayState::Stopped);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Stop);
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:40"));
    QCOMPARE(h.player().Position(), 4);
    QCOMPARE(h.Text(ControlId::PositionBox), QString("4"));
    h.Tick();
    QVERIFY(h.Shows(kTeal));
    const std::int32_t clock = h.player().Clock();
    h.Tick(5);
    QCOMPARE(h.player().Clock(), clock);  // the clock has stopped
    QCOMPARE(h.player().FrameWaiting(), false);
}

void PlaybackTest::playBackwardIntoThePreviousFolder() {
    WindowHarness h;
    h.Choose(kMiddleFolder);
    h.Click(ControlId::StepForward);  // the folder's last frame
    h.Click(ControlId::PlayBackward);
    QCOMPARE(State(h), PlayState::PlayingBackward);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::PlayBackward);
    h.Tick();
    QVERIFY(h.Shows(kCyan));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("2"));  // position + 1 while playing backward
    QVERIFY(h.TickUntil([&] { return h.Shows(kYellow); }, 4));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("1"));

    // The folder runs out: the previous folder's last frame, backward play going on.
    QVERIFY(h.TickUntil([&] { return h.Text(ControlId::DateBox) == "2009/12/30"; }, 4));
    QCOMPARE(State(h), PlayState::PlayingBackward);
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));
    QCOMPARE(h.player().Position(), 3);
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 2));
    h.Tick();
    QVERIFY(h.Shows(kBlue));

    // Off the first folder's first frame: play stops there with Stop lit.
    QVERIFY(h.TickUntil([&] { return State(h) != PlayState::PlayingBackward; }, 100));
    QCOMPARE(State(h), PlayState::Stopped);
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:00"));
    QCOMPARE(h.player().Position(), 1);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Stop);
    h.Tick();
    QVERIFY(h.Shows(kRed));
}

void PlaybackTest::pause_data() {
    QTest::addColumn<ControlId>("playButton");
    QTest::addColumn<int>("stepsFirst");
    QTest::newRow("after forward play") << ControlId::Play << 0;
    QTest::newRow("after backward play") << ControlId::PlayBackward << 2;
}

// The library's counter runs one ahead of the frame shown; Pause brings position back to the
// number on screen, in either direction.
void PlaybackTest::pause() {
    QFETCH(ControlId, playButton);
    QFETCH(int, stepsFirst);
    WindowHarness h;
    h.Choose(kFirstFolder);
    for (int i = 0; i < stepsFirst; ++i) {
        h.Click(ControlId::StepForward);
    }
    h.Click(playButton);
    QVERIFY(h.TickUntil([&] { return h.Shows(kGreen); }, 6));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("2"));
    QVERIFY(h.player().Position() != 2);
    h.Click(ControlId::Pause);
    QCOMPARE(State(h), PlayState::Paused);
    QCOMPARE(h.player().Position(), 2);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Pause);
    const std::int32_t clock = h.player().Clock();
    h.Tick(3);
    QCOMPARE(h.player().Clock(), clock);
    QVERIFY(h.Shows(kGreen));
    h.Click(ControlId::StepForward);  // stepping goes on from the frame shown
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));

    h.Click(ControlId::Pause);  // in any other state Pause only sets the state
    QCOMPARE(h.player().Position(), 3);
    QCOMPARE(State(h), PlayState::Paused);
}

void PlaybackTest::playWhilePlaying() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(ControlId::Play);
    h.Tick(3);
    const std::int32_t clock = h.player().Clock();
    h.Click(ControlId::Play);  // already playing forward: nothing changes
    QCOMPARE(h.player().Clock(), clock);
    QCOMPARE(State(h), PlayState::PlayingForward);

    h.Click(ControlId::PlayBackward);  // reverses from the current frame
    QCOMPARE(State(h), PlayState::PlayingBackward);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::PlayBackward);
    h.Tick();
    const std::int32_t backwardClock = h.player().Clock();
    h.Click(ControlId::PlayBackward);
    QCOMPARE(h.player().Clock(), backwardClock);
    QCOMPARE(State(h), PlayState::PlayingBackward);
    QVERIFY(h.TickUntil([&] { return h.Shows(kRed); }, 6));
}

void PlaybackTest::speedChangeWhilePlaying() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(ControlId::Play);
    h.Tick();
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 0) + 50);
    QSlider* speed = h.Slider(ControlId::SpeedSlider);
    speed->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(h.player().Speed(), 6);
    QCOMPARE(h.Text(ControlId::SpeedBox), QString("6"));
    h.Tick();  // nothing due yet; the clock runs on at the new speed
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 0) + 110);
    speed->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(h.player().Speed(), 8);
    QCOMPARE(h.Text(ControlId::SpeedBox), QString("8"));
    speed->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(h.player().Speed(), 1);
    h.Tick();  // green is due: shown, then the clock moves 10
    QVERIFY(h.Shows(kGreen));
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 0) + 120);
}

// Past 8,640,000 the clock starts again at 0, so play goes on with the frames after midnight.
void PlaybackTest::forwardClockWrapsAtMidnight() {
    WindowHarness h(false);
    WriteFrames(h.tree(), kMidnightFolder, {{0, kRed}, {TimeOfDay(0, 0, 1), kGreen}});
    h.Choose(kMidnightFolder);
    h.Click(ControlId::Play);
    h.SetPlayClock(8640001);
    h.Tick();
    QCOMPARE(h.Text(ControlId::TimeBox), QString("00:00:00"));
    QCOMPARE(h.player().Clock(), 50);
    QVERIFY(h.Shows(kRed));
}

// Below 100 the backward clock is held at 0 for the step, so the frame at midnight is due.
void PlaybackTest::backwardClockHeldAtZero() {
    WindowHarness h(false);
    WriteFrames(h.tree(), kMidnightFolder, {{0, kRed}, {TimeOfDay(0, 0, 1), kGreen}});
    h.Choose(kMidnightFolder);
    h.Click(ControlId::StepForward);
    h.Click(ControlId::PlayBackward);
    QCOMPARE(h.player().Clock(), 100);
    h.Tick();
    QVERIFY(h.Shows(kGreen));
    QCOMPARE(h.player().Clock(), 50);
    h.Tick();
    QCOMPARE(h.Text(ControlId::TimeBox), QString("00:00:00"));
    QCOMPARE(h.player().Clock(), -50);
    QVERIFY(h.Shows(kRed));
}

// Taking the slider during play pauses on the frame under the thumb and clears the light.
void PlaybackTest::positionSliderDuringPlayPauses() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(ControlId::Play);
    h.Tick(2);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Play);
    QSlider* position = h.Slider(ControlId::PositionSlider);
    position->setSliderDown(true);
    position->setSliderPosition(4);  // a drag: every step loads the frame under the thumb
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:40"));
    position->setSliderPosition(3);
    position->setSliderDown(false);
    QCOMPARE(State(h), PlayState::Paused);
    QCOMPARE(h.player().Position(), 3);
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:20"));
    QVERIFY(h.Text(ControlId::FramePath).endsWith("CAM123592000.JPG"));
    QCOMPARE(h.player().Clock(), TimeOfDay(23, 59, 20));
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::None);
    const std::int32_t clock = h.player().Clock();
    h.Tick(2);
    QCOMPARE(h.player().Clock(), clock);
    QVERIFY(h.Shows(kOrange));
}

// Whenever play halts, the box and the slider show the number of the frame on screen, and
// play resumes from that frame. At speed 5 the clock moves half a second a tick, so play
// from frame n shows n again at its first tick and one frame more every second tick after.
void PlaybackTest::haltedPlayShowsTheNumberOfTheFrameShown_data() {
    QTest::addColumn<QString>("commands");
    QTest::addColumn<int>("frame");    // 1-based, in kEightFrames (0: the first of kAfterEight)
    QTest::addColumn<int>("spacing");  // hundredths between the eight frames
    QTest::newRow("pause") << "play t5 pause" << 3 << 100;
    QTest::newRow("pause before the first tick") << "fwd play pause" << 2 << 100;
    QTest::newRow("pause, play, pause") << "play t5 pause play t4 pause" << 4 << 100;
    QTest::newRow("pause twice over") << "play t5 pause play t4 pause play t3 pause" << 5 << 100;
    QTest::newRow("pause, then step forward") << "play t5 pause fwd" << 4 << 100;
    QTest::newRow("step forward while playing") << "play t5 fwd" << 4 << 100;
    QTest::newRow("step back while playing") << "play t5 rew" << 2 << 100;
    QTest::newRow("backward: pause, play, pause")
        << "slider:8 back t3 pause back t3 pause" << 6 << 100;
    QTest::newRow("step back while playing backward") << "slider:8 back t3 rew" << 6 << 100;
    QTest::newRow("step forward while playing backward") << "slider:8 back t3 fwd" << 8 << 100;
    QTest::newRow("reversed to backward") << "play t5 back t3 pause" << 2 << 100;
    QTest::newRow("reversed to forward") << "slider:8 back t3 play t3 pause" << 8 << 100;
    QTest::newRow("reversed at its first tick")
        << "play t5 back t1 pause play t3 pause" << 4 << 100;
    QTest::newRow("paused on the folder's last frame") << "slider:7 play t3 pause" << 8 << 100;
    QTest::newRow("resumed on the folder's last frame")
        << "slider:7 play t3 pause play t1 pause" << 8 << 100;
    QTest::newRow("paused on the folder's first frame")
        << "slider:2 back t3 pause play t1 pause" << 1 << 100;
    QTest::newRow("stop, then play") << "play t5 pause stop play t3 pause" << 2 << 100;
    QTest::newRow("slider while paused") << "play t5 pause slider:6 play t3 pause" << 7 << 100;
    QTest::newRow("search while playing") << "play t5 search:21:00:05 play t3 pause" << 7 << 100;
    QTest::newRow("next folder while playing") << "play t5 next" << 0 << 100;
    QTest::newRow("previous folder back to it") << "play t5 next prev play t3 pause" << 2 << 100;
    // Frames a tenth of a second apart: the folder's last (first) frame falls due within
    // the step that shows the frame before (after) it.
    QTest::newRow("paused as the folder's end came due") << "play t3 pause" << 7 << 10;
    QTest::newRow("stepped forward from there") << "play t3 fwd" << 8 << 10;
    QTest::newRow("backward: paused as the folder's start came due")
        << "slider:8 back t3 pause" << 2 << 10;
    QTest::newRow("stepped back from there") << "slider:8 back t3 rew" << 1 << 10;
}

void PlaybackTest::haltedPlayShowsTheNumberOfTheFrameShown() {
    QFETCH(QString, commands);
    QFETCH(int, frame);
    QFETCH(int, spacing);
    WindowHarness h(false);
    std::vector<FrameAt> frames;
    for (int i = 0; i < 8; ++i) {
        frames.push_back({TimeOfDay(21, 0, 0) + i * spacing, kEightColours[std::size_t(i)]});
    }
    WriteFrames(h.tree(), kEightFrames, frames);
    WriteFrames(h.tree(), kAfterEight, {{TimeOfDay(22, 0, 0), kTeal}});
    h.Choose(kEightFrames);
    Run(h, commands);
    QVERIFY(State(h) != PlayState::PlayingForward && State(h) != PlayState::PlayingBackward);
    h.Tick();  // presents the frame
    const std::int32_t time =
        frame == 0 ? TimeOfDay(22, 0, 0) : TimeOfDay(21, 0, 0) + (frame - 1) * spacing;
    QVERIFY2(h.Text(ControlId::FramePath).endsWith(QString::fromStdString(FrameFileName(time))),
             qPrintable(h.Text(ControlId::FramePath)));
    const int number = frame == 0 ? 1 : frame;
    QCOMPARE(h.Text(ControlId::PositionBox), QString::number(number));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), number);
    QCOMPARE(h.player().Position(), number);
    if (frame != 0) {
        QVERIFY(h.Shows(kEightColours[std::size_t(frame - 1)]));
    }
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::PlaybackTest)
#include "playback_test.moc"
