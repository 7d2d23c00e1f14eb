// FrameReader's picture: the decoder converts each row of MCUs before the end test can fail
// the frame, so a reader whose picture is shown decodes into a second one and takes it only
// when the frame decodes, while a reader whose picture is only taken after success keeps one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/decoder_variant.h"
#include "library/frame_reader.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Frame(std::uint32_t seed) {
    return EncodeFrame(MakeTestPicture(96, 64, seed).data(), 96, 64, 80);
}

// Every MCU decodes as in the frame, then the end test meets a fill byte and fails.
Bytes FailingAtTheEnd(Bytes frame) {
    frame.insert(frame.end() - 2, 0xFF);
    return frame;
}

Bytes PictureOf(const FrameReader& reader) {
    return Bytes(reader.Picture().begin(), reader.Picture().end());
}

struct ReaderCase {
    PictureUse use;
    DecoderVariant variant;
};

class FrameReaderPicture : public ::testing::TestWithParam<ReaderCase> {
  protected:
    FrameFacts Read(const Bytes& bytes, DecodeDepth depth = DecodeDepth::kPicture) {
        tree.WriteFile("frame.jpg", bytes);
        return reader.Read(tree.Path("frame.jpg").c_str(), depth);
    }
    // What a fresh reader of the same variant makes of the frame.
    Bytes FreshPicture(const Bytes& bytes) {
        FrameReader fresh(GetParam().variant, PictureAdjustments{});
        tree.WriteFile("fresh.jpg", bytes);
        EXPECT_EQ(fresh.Read(tree.Path("fresh.jpg").c_str(), DecodeDepth::kPicture).refusal,
                  FrameRefusal::kNone);
        return PictureOf(fresh);
    }

    test::TempTree tree;
    FrameReader reader{GetParam().variant, PictureAdjustments{}, GetParam().use};
};

TEST_P(FrameReaderPicture, AFrameThatFailsAtTheEndLeavesTheShownPicture) {
    const Bytes first = Frame(1);
    const Bytes second = Frame(2);
    const Bytes third = Frame(3);
    ASSERT_EQ(Read(first).refusal, FrameRefusal::kNone);
    const Bytes firstPicture = PictureOf(reader);
    ASSERT_EQ(firstPicture, FreshPicture(first));
    ASSERT_NE(FreshPicture(second), firstPicture);

    EXPECT_EQ(Read(FailingAtTheEnd(second)).refusal, FrameRefusal::kBadEndMarker);
    if (GetParam().use == PictureUse::kShown) {
        EXPECT_EQ(PictureOf(reader), firstPicture) << "the shown picture must not change";
    } else {
        EXPECT_EQ(PictureOf(reader), FreshPicture(second))
            << "one picture: the failed frame's rows are converted into it";
    }

    // Planes only: the picture is not touched either way.
    const Bytes before = PictureOf(reader);
    EXPECT_EQ(Read(third, DecodeDepth::kPlanes).refusal, FrameRefusal::kNone);
    EXPECT_EQ(PictureOf(reader), before);

    EXPECT_EQ(Read(third).refusal, FrameRefusal::kNone);
    EXPECT_EQ(PictureOf(reader), FreshPicture(third));
    EXPECT_EQ(Read(FailingAtTheEnd(first)).refusal, FrameRefusal::kBadEndMarker);
    EXPECT_EQ(Read(second).refusal, FrameRefusal::kNone);
    EXPECT_EQ(PictureOf(reader), FreshPicture(second)) << "a failed frame spoils no later one";
}

// A reader whose picture is only taken keeps one buffer for it; a shown one takes turns with
// two, and blanking clears the one shown.
TEST_P(FrameReaderPicture, PictureBuffers) {
    ASSERT_EQ(Read(Frame(1)).refusal, FrameRefusal::kNone);
    const std::uint8_t* firstBuffer = reader.Picture().data();
    ASSERT_EQ(Read(Frame(2)).refusal, FrameRefusal::kNone);
    const bool shown = GetParam().use == PictureUse::kShown;
    EXPECT_EQ(reader.Picture().data() != firstBuffer, shown);
    reader.BlankPicture();
    EXPECT_EQ(PictureOf(reader), Bytes(reader.Picture().size(), 0));
}

INSTANTIATE_TEST_SUITE_P(UsesAndVariants, FrameReaderPicture,
                         ::testing::Values(ReaderCase{PictureUse::kShown, DecoderVariant::kPacked},
                                           ReaderCase{PictureUse::kShown, DecoderVariant::kScalar},
                                           ReaderCase{PictureUse::kTaken, DecoderVariant::kPacked},
                                           ReaderCase{PictureUse::kTaken, DecoderVariant::kScalar}),
                         [](const auto& info) {
                             return std::string(info.param.use == PictureUse::kShown ? "shown_"
                                                                                     : "taken_") +
                                    VariantName(info.param.variant);
                         });

}  // namespace
}  // namespace orvik
