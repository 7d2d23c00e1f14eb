#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "library/file_manager.h"
#include "library/play_state.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::FrameName;
using test::TimeOfDay;

constexpr std::int32_t T = TimeOfDay(10, 0, 0);

class NavigationTest : public ::testing::Test {
  protected:
    // Writes placeholder frames for each folder's times and scans the tree.
    void Scan(const std::map<std::string, std::vector<std::int32_t>>& folders) {
        for (const auto& [folder, times] : folders) {
            for (const std::int32_t t : times) {
                test::WritePlaceholderFrames(tree, folder, {t});
            }
        }
        char path[kPathCapacity];
        std::snprintf(path, sizeof path, "%s", tree.Root().c_str());
        ASSERT_EQ(manager.ScanFolderTree(path), 0);
    }
    // The frame that the texts show, as folder/name.
    std::string Shown() const {
        const std::filesystem::path path = manager.FileText();
        return path.parent_path().filename().string() + "/" + path.filename().string();
    }
    std::string Frame(const std::string& folder, std::int32_t t) const {
        return folder + "/" + FrameName(t);
    }
    // Starts play from the frame at index of the current folder, as the main window does.
    void StartAt(std::int32_t index, PlayState state) {
        ASSERT_TRUE(manager.GoToFile(head, index));
        position = index + 1;
        playState = state;
        ASSERT_TRUE(manager.PreparePlayback(head));
    }
    // One tick of the timer at speed 1: the clock moves 10, then the step.
    StepResult Tick(bool forward) {
        playClock += forward ? 10 : -10;
        return forward ? manager.PlayStepForward(head) : manager.PlayStepBackward(head);
    }
    // Ticks until the library stops play; the frames shown, in order.
    std::vector<std::string> PlayToTheEnd(bool forward) {
        std::vector<std::string> shown;
        for (int ticks = 0; ticks < 100000 && playState != PlayState::Stopped; ++ticks) {
            if (Tick(forward) == StepResult::Shown) {
                shown.push_back(Shown());
            }
        }
        return shown;
    }

    test::TempTree tree;
    CMavFileManager manager;
    Playhead head{PlayState::Stopped, 0, 0};
    PlayState& playState = head.state;
    std::int32_t& playClock = head.clock;
    std::int32_t& position = head.position;
};

TEST_F(NavigationTest, LoadFirstFrameFillsTheTexts) {
    Scan({{"10010100", {TimeOfDay(1, 2, 3, 45), TimeOfDay(1, 2, 4)}}});
    ASSERT_TRUE(manager.LoadFirstFrame());
    EXPECT_STREQ(manager.DateText(), "2010/01/01");
    EXPECT_STREQ(manager.TimeText(), "01:02:03");
    EXPECT_EQ(std::string(manager.FileText()),
              tree.Path(Frame("10010100", TimeOfDay(1, 2, 3, 45))));
    EXPECT_EQ(manager.CurrentFile(), manager.CurrentFolder()->GetFirstFile());
    EXPECT_EQ(manager.FileCount(), 2);
}

TEST_F(NavigationTest, WithoutFoldersNothingBecomesCurrent) {
    Scan({});
    EXPECT_FALSE(manager.LoadFirstFrame());
    EXPECT_EQ(manager.FileCount(), 1);
    playState = PlayState::PlayingForward;
    EXPECT_FALSE(manager.PreparePlayback(head));
    EXPECT_EQ(playState, PlayState::Stopped);
    EXPECT_FALSE(manager.GoToFile(head, 0));
    std::int32_t index = -1;
    EXPECT_FALSE(manager.SearchByDateTime(10010100, 0, index));
    EXPECT_EQ(index, 0);
    playState = PlayState::PlayingForward;
    EXPECT_FALSE(manager.NextFolder(playState));
    EXPECT_EQ(playState, PlayState::Stopped);
    playState = PlayState::PlayingBackward;
    EXPECT_FALSE(manager.PreviousFolder(playState));
    EXPECT_EQ(playState, PlayState::Stopped);
    EXPECT_EQ(manager.PlayStepForward(head), StepResult::FolderUsedUp);
}

TEST_F(NavigationTest, GoToFileSetsTheClockAndRefusesIndexesOutside) {
    Scan({{"10010100", {T, T + 10, T + 20}}});
    ASSERT_TRUE(manager.GoToFile(head, 2));
    EXPECT_EQ(playClock, T + 20);
    EXPECT_EQ(Shown(), Frame("10010100", T + 20));
    EXPECT_STREQ(manager.DateText(), "") << "GoToFile leaves the date to the folder moves";
    EXPECT_FALSE(manager.GoToFile(head, 3));
    EXPECT_EQ(manager.CurrentFile(), nullptr);
    EXPECT_FALSE(manager.GoToFile(head, -1));
    EXPECT_EQ(playClock, T + 20);
}

TEST_F(NavigationTest, OpensFramesWhoseNamesOnDiskAreLowerCase) {
    tree.WriteFile("10010100/cam1100000000.jpg", std::vector<std::uint8_t>(546, 0));
    Scan({});
    ASSERT_TRUE(manager.LoadFirstFrame());
    EXPECT_EQ(Shown(), "10010100/CAM1100000000.JPG") << "the records hold upper-case names";
    EXPECT_TRUE(manager.GoToFile(head, 0)) << "and the file is still found";
    EXPECT_EQ(manager.FileSize(), 546);
}

TEST_F(NavigationTest, PreparePlaybackKeepsACursorAndStartsFromTheFirstFrameOtherwise) {
    Scan({{"10010100", {T, T + 10, T + 20}}});
    playState = PlayState::Stopped;
    EXPECT_TRUE(manager.PreparePlayback(head));
    EXPECT_EQ(playClock, T);
    ASSERT_TRUE(manager.GoToFile(head, 2));
    playClock = 0;
    EXPECT_TRUE(manager.PreparePlayback(head));
    EXPECT_EQ(playClock, T + 20);
}

TEST_F(NavigationTest, ClockCatchesUpOverGapsInSteps) {
    Scan({{"10010100", {T, T + 5000, T + 10000}}});
    struct Case {
        std::int32_t gap;  // how far the cursor's frame lies ahead of the clock
        std::int32_t move;
    };
    const Case cases[] = {
        {2000, 2000 - 100}, {1501, 1501 - 100}, {1500, 900}, {1001, 900}, {1000, 700}, {801, 700},
        {800, 400},         {501, 400},         {500, 100},  {201, 100},  {200, 0},    {1, 0},
    };
    for (const bool forward : {true, false}) {
        StartAt(1, forward ? PlayState::PlayingForward : PlayState::PlayingBackward);
        const std::string before = Shown();
        const std::int32_t k = T + 5000;
        for (const Case& c : cases) {
            const std::int32_t sign = forward ? 1 : -1;
            playClock = k - sign * c.gap;
            const StepResult result =
                forward ? manager.PlayStepForward(head) : manager.PlayStepBackward(head);
            EXPECT_EQ(result, StepResult::NotDue) << c.gap << (forward ? " forward" : " backward");
            EXPECT_EQ(playClock, k - sign * c.gap + sign * c.move) << c.gap;
            EXPECT_EQ(Shown(), before) << c.gap << ": nothing is due yet";
            EXPECT_EQ(position, 2);
            EXPECT_EQ(playState, forward ? PlayState::PlayingForward : PlayState::PlayingBackward);
        }
    }
}

TEST_F(NavigationTest, ForwardPlayShowsEachFrameThenStops) {
    Scan({{"10010100", {T, T + 10, T + 20}}});
    StartAt(0, PlayState::PlayingForward);
    playClock -= 10;  // the first tick brings the clock to the first frame
    EXPECT_EQ(PlayToTheEnd(true),
              (std::vector<std::string>{Frame("10010100", T), Frame("10010100", T + 10),
                                        Frame("10010100", T + 20)}));
    EXPECT_EQ(playState, PlayState::Stopped);
    EXPECT_EQ(position, 4) << "file count + 1";
    EXPECT_EQ(manager.CurrentFile(), nullptr);
}

TEST_F(NavigationTest, BackwardPlayShowsEachFrameThenStopsAtPositionZero) {
    Scan({{"10010100", {T, T + 10, T + 20}}});
    StartAt(2, PlayState::PlayingBackward);
    playClock += 10;
    EXPECT_EQ(PlayToTheEnd(false),
              (std::vector<std::string>{Frame("10010100", T + 20), Frame("10010100", T + 10),
                                        Frame("10010100", T)}));
    EXPECT_EQ(playState, PlayState::Stopped);
    EXPECT_EQ(position, 0);
}

TEST_F(NavigationTest, PlayCrossesGapsAndShowsEveryFrameOnce) {
    // Gaps of 0.1 s, 3 s, 12 s, 40 s and 1 h.
    const std::vector<std::int32_t> times = {T,        T + 10,   T + 310,   T + 1510,
                                             T + 5510, T + 5520, T + 365520};
    Scan({{"10010100", times}});
    std::vector<std::string> forward, backward;
    for (const std::int32_t t : times) {
        forward.push_back(Frame("10010100", t));
    }
    backward.assign(forward.rbegin(), forward.rend());

    StartAt(0, PlayState::PlayingForward);
    playClock -= 10;
    EXPECT_EQ(PlayToTheEnd(true), forward);
    StartAt(static_cast<std::int32_t>(times.size()) - 1, PlayState::PlayingBackward);
    playClock += 10;
    EXPECT_EQ(PlayToTheEnd(false), backward);
}

TEST_F(NavigationTest, OneStepOverSeveralDueFramesShowsOnlyTheLatest) {
    Scan({{"10010100", {T, T + 10, T + 20, T + 30, T + 40}}});
    StartAt(0, PlayState::PlayingForward);
    playClock = T + 25;
    ASSERT_EQ(manager.PlayStepForward(head), StepResult::Shown);
    EXPECT_EQ(Shown(), Frame("10010100", T + 20));
    EXPECT_EQ(position, 4) << "three frames passed";
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 30) << "the cursor rests on the first not due";

    playClock = T + 15;
    playState = PlayState::PlayingBackward;
    ASSERT_EQ(manager.PlayStepBackward(head), StepResult::Shown);
    EXPECT_EQ(Shown(), Frame("10010100", T + 20));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 10);
}

TEST_F(NavigationTest, EqualKeysAtTheEndShowTheLastAndEndTheFolder) {
    const std::string twin = "CAM2" + FrameName(T + 10).substr(4);  // same time, listed later
    tree.WriteFile("10010100/" + twin, std::vector<std::uint8_t>(546));
    Scan({{"10010100", {T, T + 10}}});
    StartAt(1, PlayState::PlayingForward);
    ASSERT_EQ(manager.PlayStepForward(head), StepResult::Shown);
    EXPECT_EQ(Shown(), "10010100/" + twin);
    EXPECT_EQ(manager.CurrentFile(), nullptr);
    EXPECT_EQ(position, 4);
}

// After play, whatever was called in between, halting puts the cursor on the frame shown
// and the position at its number: a step then moves exactly one frame from it.
TEST_F(NavigationTest, HaltLandsOnTheFrameShownWhateverCameBefore) {
    struct Case {
        const char* name;
        bool forward;
        std::int32_t startIndex;
        std::int32_t clock;  // the clock of the one play step taken
        std::function<void(CMavFileManager&, Playhead&)> between;
    };
    // Eight frames 0.1 s apart: clocks that pass the last (first) frame within one step
    // show the one before (after) it and leave the position a frame further.
    const Case cases[] = {
        {"mid-folder forward", true, 0, T + 35, [](CMavFileManager&, Playhead&) {}},
        {"at the folder's end forward", true, 5, T + 75, [](CMavFileManager&, Playhead&) {}},
        {"at the folder's start backward", false, 2, T - 5, [](CMavFileManager&, Playhead&) {}},
        {"halted twice", true, 5, T + 75,
         [](CMavFileManager& files, Playhead& head) { files.HaltOnShownFrame(head); }},
        {"state changed before the halt", true, 5, T + 75,
         [](CMavFileManager&, Playhead& head) { head.state = PlayState::SteppedBackward; }},
    };
    Scan({{"10010100", {T, T + 10, T + 20, T + 30, T + 40, T + 50, T + 60, T + 70}}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAt(c.startIndex, c.forward ? PlayState::PlayingForward : PlayState::PlayingBackward);
        playClock = c.clock;
        ASSERT_EQ(c.forward ? manager.PlayStepForward(head) : manager.PlayStepBackward(head),
                  StepResult::Shown);
        const std::string shown = Shown();
        const std::int32_t number = manager.ShownNumber();
        c.between(manager, head);
        manager.HaltOnShownFrame(head);
        EXPECT_EQ(position, number);
        EXPECT_EQ(manager.CurrentFile(), manager.ShownFile());
        ASSERT_TRUE(manager.GoToFile(head, position - 1));
        EXPECT_EQ(Shown(), shown);
    }
}

TEST_F(NavigationTest, HaltWithoutAPlayRunChangesNothing) {
    Scan({{"10010100", {T, T + 10, T + 20}}, {"10010101", {T + 360000}}});
    ASSERT_TRUE(manager.SelectFolder(0));
    StartAt(0, PlayState::PlayingForward);
    playClock = T + 15;
    ASSERT_EQ(manager.PlayStepForward(head), StepResult::Shown);
    ASSERT_TRUE(manager.GoToFile(head, 2));  // the cursor placed by hand during play
    position = 3;
    manager.HaltOnShownFrame(head);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 20);

    playState = PlayState::SteppedForward;  // a folder move that shows nothing
    ASSERT_TRUE(manager.NextFolder(playState));
    position = 1;
    manager.HaltOnShownFrame(head);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 360000) << "the cursor stays in its folder";
}

TEST_F(NavigationTest, FrameThatCannotBeOpenedStopsPlay) {
    Scan({{"10010100", {T, T + 10, T + 20}}});
    StartAt(0, PlayState::PlayingForward);
    std::filesystem::remove(tree.Path(Frame("10010100", T + 10)));
    EXPECT_EQ(Tick(true), StepResult::FolderUsedUp);
    EXPECT_EQ(playState, PlayState::Stopped);
    EXPECT_EQ(Shown(), Frame("10010100", T + 10)) << "the texts name the frame tried";
}

class FolderMovesTest : public NavigationTest {
  protected:
    void SetUp() override {
        Scan({{"10010100", {T, T + 10}}, {"10020200", {T + 20, T + 30}}, {"10030300", {T + 40}}});
        MakeCurrent(10020200);
        ASSERT_TRUE(manager.LoadFirstFrame());
    }
    // Makes the folder with this date key current, as a search for it does.
    void MakeCurrent(std::int32_t dateKey) {
        std::int32_t index = -1;
        ASSERT_TRUE(manager.SearchByDateTime(dateKey, 0, index));
        ASSERT_EQ(index, 0);
    }
};

TEST_F(FolderMovesTest, NextAndPreviousShowTheFirstFrame) {
    playState = PlayState::PlayingForward;
    EXPECT_TRUE(manager.NextFolder(playState));
    EXPECT_EQ(Shown(), Frame("10030300", T + 40));
    EXPECT_STREQ(manager.DateText(), "2010/03/03");
    EXPECT_EQ(playState, PlayState::PlayingForward);
    EXPECT_TRUE(manager.PreviousFolder(playState));
    EXPECT_TRUE(manager.PreviousFolder(playState));
    EXPECT_EQ(Shown(), Frame("10010100", T));
    EXPECT_STREQ(manager.DateText(), "2010/01/01");
}

TEST_F(FolderMovesTest, AtTheEndsTheyLandOnTheEndFramesAtListEnd) {
    playState = PlayState::PlayingForward;
    ASSERT_TRUE(manager.NextFolder(playState));
    EXPECT_TRUE(manager.NextFolder(playState));
    EXPECT_EQ(playState, PlayState::AtListEnd);
    EXPECT_EQ(Shown(), Frame("10030300", T + 40));
    EXPECT_EQ(manager.Folders().currentIndex, 2);

    MakeCurrent(10010100);
    playState = PlayState::PlayingBackward;
    EXPECT_TRUE(manager.PreviousFolder(playState));
    EXPECT_EQ(playState, PlayState::AtListEnd);
    EXPECT_EQ(Shown(), Frame("10010100", T));
}

TEST_F(FolderMovesTest, SteppedMovesOnlySetTheCursorAndTheDate) {
    const std::string before = Shown();
    playState = PlayState::SteppedForward;
    EXPECT_TRUE(manager.NextFolder(playState));
    EXPECT_STREQ(manager.DateText(), "2010/03/03");
    EXPECT_EQ(Shown(), before);
    EXPECT_STREQ(manager.TimeText(), "10:00:00");
    EXPECT_EQ(manager.CurrentFile(), manager.CurrentFolder()->GetFirstFile());
    EXPECT_EQ(playState, PlayState::SteppedForward);

    playState = PlayState::SteppedBackward;
    EXPECT_TRUE(manager.PreviousFolder(playState));
    EXPECT_STREQ(manager.DateText(), "2010/02/02");
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 20);
}

TEST_F(FolderMovesTest, PreviousAtBackwardFolderEndLandsOnTheLastFrame) {
    playState = PlayState::BackwardFolderEnd;
    EXPECT_TRUE(manager.PreviousFolder(playState));
    EXPECT_EQ(Shown(), Frame("10010100", T + 10));
    EXPECT_EQ(manager.CurrentFile(), manager.CurrentFolder()->GetLastFile());
}

TEST_F(FolderMovesTest, MissingFrameGivesOne) {
    std::filesystem::remove(tree.Path(Frame("10030300", T + 40)));
    playState = PlayState::PlayingForward;
    EXPECT_FALSE(manager.NextFolder(playState));
    EXPECT_FALSE(manager.NextFolder(playState)) << "at the end too";
    EXPECT_EQ(playState, PlayState::PlayingForward)
        << "PlayState::AtListEnd only after a frame was shown";
}

TEST_F(FolderMovesTest, SearchChoosesTheFolderAndFrameWithoutLoading) {
    const std::string before = Shown();
    std::int32_t index = -1;
    EXPECT_TRUE(manager.SearchByDateTime(10020200, T + 31, index));
    EXPECT_EQ(index, 1);
    EXPECT_STREQ(manager.DateText(), "2010/02/02");
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(manager.CurrentFile()->timeKey, T + 30);
    ASSERT_TRUE(manager.GoToFile(head, index));
    EXPECT_EQ(Shown(), Frame("10020200", T + 30));

    EXPECT_TRUE(manager.SearchByDateTime(10030300, T + 40, index));
    EXPECT_EQ(index, 0) << "a time equal to the first frame's gives that frame";
    EXPECT_TRUE(manager.SearchByDateTime(10990000, 0, index));
    EXPECT_EQ(manager.Folders().currentIndex, 2);
    EXPECT_TRUE(manager.SearchByDateTime(0, 0, index));
    EXPECT_EQ(manager.Folders().currentIndex, 0);
    EXPECT_STREQ(manager.DateText(), "2010/01/01");
}

}  // namespace
}  // namespace orvik
