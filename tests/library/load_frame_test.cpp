#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "testing/decoder/frame_bytes.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Frame(int width, int height, int quality = 75, std::uint32_t seed = 1) {
    return EncodeFrame(MakeTestPicture(width, height, seed).data(), width, height, quality);
}

using test::WithHeaderSize;

Bytes Resized(Bytes frame, std::size_t size) {
    frame.resize(size, 0x55);
    return frame;
}

class LoadFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.SetBlackenHook(
            [this](int width, int height) { blackened.emplace_back(width, height); });
    }
    // Writes bytes as a file and loads it; false when it cannot be opened.
    bool Load(const Bytes& bytes, const std::string& name = "frame.jpg") {
        tree.WriteFile(name, bytes);
        return manager.LoadFrame(tree.Path(name).c_str());
    }
    // Makes bytes the one frame of a scanned recording and shows it, so that it is the
    // frame that SetPictureAdjustments loads again.
    void ShowOnly(const Bytes& frame) {
        tree.WriteFile("09123021/CAM121000000.JPG", frame);
        char root[kPathCapacity];
        std::snprintf(root, sizeof root, "%s", tree.Root().c_str());
        ASSERT_EQ(manager.ScanFolderTree(root), 0);
        ASSERT_TRUE(manager.LoadFirstFrame());
    }
    Bytes Picture() const {
        return Bytes(manager.PictureBits(), manager.PictureBits() + kPictureBitsBytes);
    }
    // Size of the picture, of the decoder, and the blackened areas, in one comparable value.
    struct Sizes {
        int pictureWidth, pictureHeight, decoderWidth, decoderHeight;
        bool operator==(const Sizes&) const = default;
    };
    Sizes Now() const {
        return Sizes{manager.PictureWidth(), manager.PictureHeight(),
                     DecoderWidth(manager.Decoder()), DecoderHeight(manager.Decoder())};
    }

    test::TempTree tree;
    CMavFileManager manager;
    std::vector<std::pair<int, int>> blackened;
};

TEST_F(LoadFrameTest, MissingFileGivesOne) {
    EXPECT_FALSE(manager.LoadFrame(tree.Path("absent.jpg").c_str()));
    EXPECT_FALSE(manager.LoadFrame(""));
}

TEST_F(LoadFrameTest, FirstFrameOfTheStartSizeDecodesWithoutBlackening) {
    const Bytes before = Picture();
    EXPECT_TRUE(Load(Frame(640, 480)));
    EXPECT_TRUE(blackened.empty());
    EXPECT_EQ(Now(), (Sizes{640, 480, 640, 480}));
    EXPECT_TRUE(Picture() != before) << "the frame was decoded into the picture";
}

TEST_F(LoadFrameTest, NewSizeBlackensTheOldAreaAndRebuildsTheDecoder) {
    EXPECT_TRUE(Load(Frame(320, 240)));
    EXPECT_EQ(blackened, (std::vector<std::pair<int, int>>{{640, 480}}));
    EXPECT_EQ(Now(), (Sizes{320, 240, 320, 240}));
    EXPECT_TRUE(Load(Frame(1280, 1024)));
    EXPECT_EQ(blackened, (std::vector<std::pair<int, int>>{{640, 480}, {320, 240}}));
    EXPECT_EQ(Now(), (Sizes{1280, 1024, 1280, 1024}));
}

TEST_F(LoadFrameTest, SameSizeReloadsTheTablesOfEachFrame) {
    const Bytes fine = Frame(320, 240, 95);
    const Bytes coarse = Frame(320, 240, 10);
    ASSERT_TRUE(Load(fine));
    const Bytes finePicture = Picture();
    ASSERT_TRUE(Load(coarse));
    const Bytes coarsePicture = Picture();
    EXPECT_TRUE(coarsePicture != finePicture);
    ASSERT_TRUE(Load(fine));
    EXPECT_TRUE(Picture() == finePicture) << "decoded with the first frame's tables again";
    EXPECT_EQ(blackened.size(), 1u) << "only the first change of size";

    CMavFileManager fresh;
    ASSERT_TRUE(fresh.LoadFrame(tree.Path("frame.jpg").c_str()));
    tree.WriteFile("coarse.jpg", coarse);
    ASSERT_TRUE(fresh.LoadFrame(tree.Path("coarse.jpg").c_str()));
    EXPECT_TRUE(Bytes(fresh.PictureBits(), fresh.PictureBits() + kPictureBitsBytes) ==
                coarsePicture);
}

TEST_F(LoadFrameTest, FilesThatDecodeNothingLeavePictureSizeAndDecoder) {
    const Bytes valid = Frame(320, 240);
    ASSERT_TRUE(Load(Frame(640, 480)));
    const Bytes shown = Picture();
    blackened.clear();
    struct Case {
        const char* name;
        Bytes bytes;
        std::int32_t wantFileSize;
    };
    Bytes damaged = valid;
    std::memset(damaged.data() + kFrameHeaderSize, 0xFF, damaged.size() - kFrameHeaderSize - 2);
    const Case cases[] = {
        {"a header and nothing more", Resized(valid, 545), 545},
        {"empty", Bytes{}, 0},
        {"one byte more than the buffer", Resized(valid, kFileBufferBytes + 1),
         static_cast<std::int32_t>(kFileBufferBytes + 1)},
        {"width 0", WithHeaderSize(valid, 0, 240), static_cast<std::int32_t>(valid.size())},
        {"height 0", WithHeaderSize(valid, 320, 0), static_cast<std::int32_t>(valid.size())},
        {"width not a multiple of 16", WithHeaderSize(valid, 328, 240),
         static_cast<std::int32_t>(valid.size())},
        {"height not a multiple of 8", WithHeaderSize(valid, 320, 244),
         static_cast<std::int32_t>(valid.size())},
        {"wider than 1280", WithHeaderSize(valid, 1296, 240),
         static_cast<std::int32_t>(valid.size())},
        {"taller than 1024", WithHeaderSize(valid, 320, 1032),
         static_cast<std::int32_t>(valid.size())},
        {"largest size numbers", WithHeaderSize(valid, 65535, 65535),
         static_cast<std::int32_t>(valid.size())},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Load(c.bytes)) << c.name;
        EXPECT_EQ(manager.FileSize(), c.wantFileSize) << c.name;
        EXPECT_EQ(Now(), (Sizes{640, 480, 640, 480})) << c.name;
        EXPECT_TRUE(blackened.empty()) << c.name;
        EXPECT_TRUE(Picture() == shown) << c.name << ": the previous picture must stay";
    }
    // Damaged coded data of a new size: the size is taken, the old picture stays.
    EXPECT_TRUE(Load(damaged));
    EXPECT_EQ(Now(), (Sizes{320, 240, 320, 240}));
    EXPECT_TRUE(Picture() == shown);
}

TEST_F(LoadFrameTest, LimitsOfTheFileSize) {
    // 546 bytes: read and handed on (the header's size is taken) though nothing decodes.
    EXPECT_TRUE(Load(Resized(Frame(320, 240), 546)));
    EXPECT_EQ(Now(), (Sizes{320, 240, 320, 240}));
    // Exactly the buffer: read whole.
    EXPECT_TRUE(Load(Resized(Frame(640, 480), kFileBufferBytes)));
    EXPECT_EQ(manager.FileSize(), static_cast<std::int32_t>(kFileBufferBytes));
    EXPECT_EQ(Now(), (Sizes{640, 480, 640, 480}));
}

TEST_F(LoadFrameTest, AdjustmentsBeforeAnyFrameAreStoredAndGiveOne) {
    EXPECT_FALSE(manager.SetPictureAdjustments(80, 70, 150, -3));
    const PictureAdjustments want{80, 70, 99, 0};
    EXPECT_EQ(manager.Decoder().adjustments.brightness, want.brightness);
    EXPECT_EQ(manager.Decoder().adjustments.contrast, want.contrast);
    EXPECT_EQ(manager.Decoder().adjustments.hue, want.hue);
    EXPECT_EQ(manager.Decoder().adjustments.saturation, want.saturation);
    ColourMatrix built;
    BuildColourMatrix(want, built);
    EXPECT_EQ(std::memcmp(&built, &manager.Decoder().colour, sizeof built), 0)
        << "the colour matrix is rebuilt from the new values";
}

TEST_F(LoadFrameTest, AdjustmentsAfterAFrameDecodeItAgain) {
    ASSERT_TRUE(Load(Frame(320, 240)));
    ASSERT_FALSE(manager.SetPictureAdjustments(49, 49, 49, 49)) << "no frame is shown yet";
    ShowOnly(Frame(320, 240));
    ASSERT_TRUE(manager.SetPictureAdjustments(49, 49, 49, 49));
    const Bytes neutral = Picture();
    ASSERT_TRUE(manager.SetPictureAdjustments(90, 49, 49, 49));
    EXPECT_TRUE(Picture() != neutral);
    ASSERT_TRUE(manager.SetPictureAdjustments(49, 49, 49, 49));
    EXPECT_TRUE(Picture() == neutral);
}

// Each frame is opened by the name the listing gave, whatever its case and length, while the
// texts show the record's upper-case name of at most 31 characters. Each file here has its
// own picture size, so the size loaded tells which file was opened.
TEST_F(LoadFrameTest, FramesAreOpenedByTheirListedNames) {
    const struct {
        const char* listed;
        const char* shown;
        int width, height;
    } frames[] = {
        {"cam1210000000.jpg", "CAM1210000000.JPG", 320, 240},
        {"CAM121000010_recorded_by_unit_seven.JPG", "CAM121000010_RECORDED_BY_UNIT_S", 352, 288},
        {"CAM121000020.JPG", "CAM121000020.JPG", 640, 480},
        {"cam121000020.jpg", "CAM121000020.JPG", 160, 120},  // the same name but for case
    };
    for (const auto& frame : frames) {
        tree.WriteFile(std::string("09123021/") + frame.listed, Frame(frame.width, frame.height));
    }
    char root[kPathCapacity];
    std::snprintf(root, sizeof root, "%s", tree.Root().c_str());
    ASSERT_EQ(manager.ScanFolderTree(root), 0);
    Playhead head;
    ASSERT_TRUE(manager.LoadFirstFrame());
    ASSERT_EQ(manager.FileCount(), 4);
    for (std::int32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(frames[i].listed);
        ASSERT_TRUE(manager.GoToFile(head, i));
        EXPECT_EQ(std::string(manager.FileText()), tree.Path("09123021") + "/" + frames[i].shown);
        EXPECT_EQ(std::string(manager.OpenPath()), tree.Path("09123021") + "/" + frames[i].listed);
        EXPECT_EQ(Now(),
                  (Sizes{frames[i].width, frames[i].height, frames[i].width, frames[i].height}));
        ASSERT_TRUE(manager.SetPictureAdjustments(49, 49, 49, 49)) << "reloads the frame shown";
        EXPECT_EQ(manager.PictureWidth(), frames[i].width);
    }
}

}  // namespace
}  // namespace orvik
