// The damaged-frame matrix: a recording of three frames whose middle one is damaged in one
// named way, viewed in both variants. Going to the damaged frame opens it (result 0) and
// then either shows nothing new (the previous picture stays, byte for byte, and the
// picture size stays unless the header names another size the decoder makes) or, where
// only bytes nothing reads were changed, shows the undamaged picture. Nothing is reported.
// The frame after it shows as usual, and forward play runs past the damage to the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "library/play_state.h"
#include "tests/library/library_fixtures.h"
#include "tests/robustness/damaged_frames.h"
#include "tests/robustness/recording.h"

namespace orvik {
namespace {

using test::Bytes;

enum class Outcome {
    PreviousPictureStays,         // picture and its size as they were
    PreviousPictureUnderNewSize,  // picture bytes as they were; the header's size taken
    ShowsTheUndamagedPicture,     // the bytes changed are not read
};

struct FrameDamage {
    const char* name;
    Bytes (*make)(const Bytes& frame);
    Outcome outcome;
};

constexpr std::size_t kCodedStart = kFrameHeaderSize;

const FrameDamage kDamages[] = {
    {"cut inside the leading header", [](const Bytes& f) { return test::CutAt(f, 200); },
     Outcome::PreviousPictureStays},
    {"cut after the first quantisation table", [](const Bytes& f) { return test::CutAt(f, 443); },
     Outcome::PreviousPictureStays},
    {"cut inside the picture size", [](const Bytes& f) { return test::CutAt(f, 518); },
     Outcome::PreviousPictureStays},
    {"header only", [](const Bytes& f) { return test::CutAt(f, kCodedStart); },
     Outcome::PreviousPictureStays},
    {"one coded byte", [](const Bytes& f) { return test::CutAt(f, kCodedStart + 1); },
     Outcome::PreviousPictureStays},
    {"cut in the middle of the coded data",
     [](const Bytes& f) { return test::CutAt(f, (kCodedStart + f.size()) / 2); },
     Outcome::PreviousPictureStays},
    {"cut just before the end marker", [](const Bytes& f) { return test::CutBeforeEnd(f, 2); },
     Outcome::PreviousPictureStays},
    {"cut inside the end marker", [](const Bytes& f) { return test::CutBeforeEnd(f, 1); },
     Outcome::PreviousPictureStays},
    {"zero-filled last quarter",
     [](const Bytes& f) { return test::ZeroTail(f, (f.size() - kCodedStart) / 4); },
     Outcome::PreviousPictureStays},
    {"zero-filled coded data",
     [](const Bytes& f) { return test::ZeroTail(f, f.size() - kCodedStart); },
     Outcome::PreviousPictureStays},
    {"zero-filled whole file", [](const Bytes& f) { return test::ZeroTail(f, f.size()); },
     Outcome::PreviousPictureStays},
    {"end marker 0xD9 flipped to 0xD8",
     [](const Bytes& f) { return test::FlipBit(f, f.size() - 1, 0); },
     Outcome::PreviousPictureStays},
    {"fill byte before the end marker",
     [](const Bytes& f) { return test::InsertBeforeEndMarker(f, 0xFF); },
     Outcome::PreviousPictureStays},
    {"height flipped to an odd number",
     [](const Bytes& f) { return test::FlipBit(f, kHeightOffset + 1, 0); },
     Outcome::PreviousPictureStays},
    {"width flipped past 1280", [](const Bytes& f) { return test::FlipBit(f, kWidthOffset, 3); },
     Outcome::PreviousPictureStays},
    {"height set to 0",
     [](const Bytes& f) { return test::Fill(f, kHeightOffset, kHeightOffset + 2, 0); },
     Outcome::PreviousPictureStays},
    {"width flipped from 64 to 80",
     [](const Bytes& f) { return test::FlipBit(f, kWidthOffset + 1, 4); },
     Outcome::PreviousPictureUnderNewSize},
    {"leading header bit flipped", [](const Bytes& f) { return test::FlipBit(f, 100, 7); },
     Outcome::ShowsTheUndamagedPicture},
    {"quantisation segment heads zeroed",
     [](const Bytes& f) { return test::Fill(test::Fill(f, 374, 379, 0), 443, 448, 0); },
     Outcome::ShowsTheUndamagedPicture},
    {"scan header overwritten", [](const Bytes& f) { return test::Fill(f, 521, 545, 0xFF); },
     Outcome::ShowsTheUndamagedPicture},
    {"bytes after the end marker",
     [](const Bytes& f) {
         return test::AppendAfterEnd(f, Bytes{0xFF, 0xD8, 0, 1, 2});
     },
     Outcome::ShowsTheUndamagedPicture},
};

// 12:00:00.00, .50 and 12:00:01.00: each frame comes due on a tick of its own.
const std::int32_t kTimes[] = {test::TimeOfDay(12, 0, 0), test::TimeOfDay(12, 0, 0, 50),
                               test::TimeOfDay(12, 0, 1)};

Bytes WholePicture(const CMavFileManager& manager) {
    return Bytes(manager.PictureBits(), manager.PictureBits() + kPictureBitsBytes);
}

class DamagedFrameMatrix : public ::testing::TestWithParam<DecoderVariant> {};

TEST_P(DamagedFrameMatrix, DamagedFrameLeavesThePictureAndPlayGoesOn) {
    const Bytes first = test::GoodFrame(1);
    const Bytes middle = test::GoodFrame(2);
    const Bytes last = test::GoodFrame(3);
    const Bytes firstPicture = test::PictureOf(first, GetParam());
    const Bytes middlePicture = test::PictureOf(middle, GetParam());
    const Bytes lastPicture = test::PictureOf(last, GetParam());
    ASSERT_NE(firstPicture, middlePicture);

    for (const FrameDamage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        test::TempTree tree;
        const Bytes frames[] = {first, damage.make(middle), last};
        for (int i = 0; i < 3; ++i) {
            tree.WriteFile("rec/26030512/" + test::FrameName(kTimes[i]), frames[i]);
        }
        test::ReportRecorder reports;
        const auto manager = test::MakeManager(GetParam());
        int blackenings = 0;
        manager->SetBlackenHook([&blackenings](int, int) { ++blackenings; });
        char root[kPathCapacity];
        std::snprintf(root, sizeof root, "%s", tree.Path("rec").c_str());
        ASSERT_EQ(manager->ScanFolderTree(root), 0);
        ASSERT_TRUE(manager->LoadFirstFrame());
        const bool taken = frames[1].size() > kFrameHeaderSize;
        ASSERT_EQ(manager->FileCount(), taken ? 3 : 2) << "a file of 545 bytes or less is no frame";
        ASSERT_EQ(test::ShownPicture(*manager), firstPicture);
        if (!taken) {
            continue;
        }

        const Bytes before = WholePicture(*manager);
        blackenings = 0;  // the first frame's own change from the size after construction
        Playhead head;
        EXPECT_TRUE(manager->GoToFile(head, 1)) << "the damaged file opens";
        switch (damage.outcome) {
            case Outcome::PreviousPictureStays:
                EXPECT_EQ(WholePicture(*manager), before);
                EXPECT_EQ(manager->PictureWidth(), test::kFrameWidth);
                EXPECT_EQ(manager->PictureHeight(), test::kFrameHeight);
                EXPECT_EQ(blackenings, 0);
                break;
            case Outcome::PreviousPictureUnderNewSize:
                EXPECT_EQ(WholePicture(*manager), before);
                EXPECT_NE(manager->PictureWidth(), test::kFrameWidth);
                EXPECT_EQ(blackenings, 1);
                break;
            case Outcome::ShowsTheUndamagedPicture:
                EXPECT_EQ(test::ShownPicture(*manager), middlePicture);
                break;
        }
        EXPECT_TRUE(manager->GoToFile(head, 2));
        EXPECT_EQ(test::ShownPicture(*manager), lastPicture) << "the frame after the damage";

        // Forward play from the first frame, 10 hundredths a tick, runs to the folder's end.
        ASSERT_TRUE(manager->GoToFile(head, 0));
        head.state = PlayState::PlayingForward;
        head.position = 1;
        int ticks = 0;
        while (head.state != PlayState::Stopped && ticks < 50) {
            head.clock += 10;
            ++ticks;
            manager->PlayStepForward(head);
        }
        EXPECT_EQ(head.clock, kTimes[2] + 10) << "stopped only after the last frame was shown";
        EXPECT_EQ(head.position, 4);
        EXPECT_EQ(test::ShownPicture(*manager), lastPicture);
        EXPECT_TRUE(reports.reports.empty());
    }
}

// Every eleventh bit of the coded data of a small frame flipped in turn: the file always
// opens, and whether a picture comes out does not depend on the variant (the two share the
// Huffman decoding and the end test; only the transform and the conversion differ).
TEST(DamagedFrameBits, CodedBitFlipsGiveTheSameOutcomeInBothVariants) {
    const Bytes first = test::GoodFrame(4);
    const Bytes frame = test::GoodFrame(5);
    test::TempTree tree;
    tree.WriteFile("first.jpg", first);
    const std::string path = tree.Path("damaged.jpg");
    // One object per variant, used in turn.
    std::unique_ptr<CMavFileManager> managers[2] = {test::MakeManager(kDecoderVariants[0]),
                                                    test::MakeManager(kDecoderVariants[1])};
    int decoded = 0;
    int kept = 0;
    for (std::size_t bit = 8 * kCodedStart; bit < 8 * frame.size(); bit += 11) {
        tree.WriteFile("damaged.jpg", test::FlipBit(frame, bit / 8, static_cast<int>(bit % 8)));
        bool pictureChanged[2];
        for (const int v : {0, 1}) {
            CMavFileManager& manager = *managers[v];
            ASSERT_TRUE(manager.LoadFrame(tree.Path("first.jpg").c_str()));
            const Bytes before = test::ShownPicture(manager);
            ASSERT_TRUE(manager.LoadFrame(path.c_str())) << "bit " << bit;
            pictureChanged[v] = test::ShownPicture(manager) != before;
        }
        EXPECT_EQ(pictureChanged[0], pictureChanged[1]) << "bit " << bit;
        ++(pictureChanged[0] ? decoded : kept);
    }
    // Both outcomes occur, or the comparison above proves nothing.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(kept, 0);
}

INSTANTIATE_TEST_SUITE_P(BothVariants, DamagedFrameMatrix, ::testing::ValuesIn(kDecoderVariants),
                         [](const auto& info) { return VariantName(info.param); });

}  // namespace
}  // namespace orvik
