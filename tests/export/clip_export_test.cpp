// The export engine as a window drives it: progress after every frame, a cancel between
// frames, and a failure, each leaving the output folder as it was; and no encoder's notes
// on standard error.
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/log.h>
}

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "export/clip_export.h"
#include "export/temporary_output.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

class ClipExportTest : public ::testing::Test {
  protected:
    ClipExportTest() {
        tree.MakeFolder("out");
        const std::vector<std::uint8_t> frame =
            EncodeFrame(MakeTestPicture(64, 32, 1).data(), 64, 32, 75);
        for (int i = 0; i < 6; ++i) {
            const std::string name = "rec/CAM1" + std::to_string(12000000 + i * 10) + ".JPG";
            tree.WriteFile(name, frame);
            frames.push_back({tree.Path(name), MomentOf(24061512, 12 * 360000 + i * 10)});
        }
    }

    ExportOutcome Export(const std::string& out, ClipCodec codec, const ExportProgress& progress) {
        ExportSettings settings;
        settings.outputPath = tree.Path(out);
        settings.codec = codec;
        settings.jobs = 2;
        return ExportClip(frames, settings, cancel, progress);
    }

    test::TempTree tree;
    std::vector<ClipFrame> frames;
    std::atomic<bool> cancel{false};
};

TEST_F(ClipExportTest, TellsItsProgressFrameByFrame) {
    for (const ClipCodec codec : {ClipCodec::kCopy, ClipCodec::kH264}) {
        std::vector<std::size_t> done;
        const ExportOutcome outcome =
            Export("out/clip.mkv", codec, [&](std::size_t d, std::size_t total) {
                EXPECT_EQ(total, frames.size());
                done.push_back(d);
            });
        EXPECT_EQ(outcome.ending, ExportEnding::kWritten) << outcome.error;
        EXPECT_EQ(outcome.written, frames.size());
        EXPECT_EQ(done, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_DOUBLE_EQ(outcome.footageSeconds, 0.5);
    }
}

TEST_F(ClipExportTest, ACancelOrAFailureLeavesTheFolderAsItWas) {
    for (const ClipCodec codec : {ClipCodec::kCopy, ClipCodec::kH264}) {
        cancel = false;
        const ExportOutcome cancelled = Export(
            "out/clip.mkv", codec, [&](std::size_t done, std::size_t) { cancel = done == 2; });
        EXPECT_EQ(cancelled.ending, ExportEnding::kCancelled);
        EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
    }
    cancel = false;
    std::filesystem::remove(frames[0].path);
    std::filesystem::remove(frames[1].path);
    frames.resize(2);
    const ExportOutcome failed = Export("out/clip.mkv", ClipCodec::kCopy, {});
    EXPECT_EQ(failed.ending, ExportEnding::kFailed);
    EXPECT_EQ(failed.refused.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
}

// The first step that fails ends the export with its reason; nothing is left behind.
TEST_F(ClipExportTest, AFailingStepEndsTheExportWithItsReason) {
    struct Case {
        const char* out;
        ClipCodec codec;
        std::string error;
    };
    const Case cases[] = {
        {"out/clip.webm", ClipCodec::kCopy, "webm cannot hold the frames' MJPEG"},
        {"out/clip.ts", ClipCodec::kH264,
         "a clip is written as .mkv, .mp4, .mov or .avi, not mpegts"},
        {"out/clip.nut", ClipCodec::kCopy,
         "a clip is written as .mkv, .mp4, .mov or .avi, not nut"},
        {"missing/clip.mkv", ClipCodec::kCopy,
         tree.Path("missing/clip.mkv") + ": cannot be written: No such file or directory"},
        {"missing/clip.mp4", ClipCodec::kH264,
         tree.Path("missing/clip.mp4") + ": cannot be written: No such file or directory"},
    };
    for (const Case& c : cases) {
        const ExportOutcome outcome = Export(c.out, c.codec, {});
        EXPECT_EQ(outcome.ending, ExportEnding::kFailed) << c.out;
        EXPECT_EQ(outcome.error, c.error);
        EXPECT_EQ(outcome.written, 0u) << c.out;
    }
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
}

// A pause longer than AVI can hold is refused before any frame is read, for the viewer as
// for the command line; Matroska takes the same clip.
TEST_F(ClipExportTest, AnAviPauseItCannotHoldIsRefusedBeforeAnyWork) {
    tree.WriteFile("rec/CAM112200000.JPG",
                   EncodeFrame(MakeTestPicture(64, 32, 2).data(), 64, 32, 75));
    frames.push_back({tree.Path("rec/CAM112200000.JPG"), MomentOf(24061512, 12 * 360000 + 120000)});
    ExportSettings settings;
    settings.outputPath = tree.Path("out/clip.avi");
    const std::string why =
        "avi holds pauses of up to 600.00 s, and this clip has one of 1199.50 s: write it as "
        ".mkv, .mp4 or .mov";
    EXPECT_EQ(ClipCanBeHeld(frames, settings).Why(), why);
    std::size_t progressed = 0;
    const ExportOutcome refused =
        Export("out/clip.avi", ClipCodec::kCopy, [&](std::size_t, std::size_t) { ++progressed; });
    EXPECT_EQ(refused.ending, ExportEnding::kFailed);
    EXPECT_EQ(refused.error, why);
    EXPECT_EQ(progressed, 0u);
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
    settings.closeGaps = true;
    EXPECT_TRUE(ClipCanBeHeld(frames, settings).Ok());
    EXPECT_EQ(Export("out/clip.mkv", ClipCodec::kCopy, {}).ending, ExportEnding::kWritten);
}

// A damaged frame in the middle of two pauses AVI can hold makes one it cannot: the export
// ends with the same reason when it meets it, and leaves nothing.
TEST_F(ClipExportTest, APauseMadeLongerByADamagedFrameEndsTheExport) {
    tree.WriteFile("rec/CAM112100000.JPG", std::vector<std::uint8_t>{0xFF, 0xD8});
    tree.WriteFile("rec/CAM112200000.JPG",
                   EncodeFrame(MakeTestPicture(64, 32, 2).data(), 64, 32, 75));
    frames.push_back({tree.Path("rec/CAM112100000.JPG"), MomentOf(24061512, 12 * 360000 + 60000)});
    frames.push_back({tree.Path("rec/CAM112200000.JPG"), MomentOf(24061512, 12 * 360000 + 120000)});
    const ExportOutcome outcome = Export("out/clip.avi", ClipCodec::kCopy, {});
    EXPECT_EQ(outcome.ending, ExportEnding::kFailed);
    EXPECT_EQ(outcome.error,
              "avi holds pauses of up to 600.00 s, and this clip has one of 1199.50 s: write it as "
              ".mkv, .mp4 or .mov");
    EXPECT_EQ(outcome.refused.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(tree.Path("out")));
}

// What FFmpeg's log would print, while it is caught.
std::vector<std::string> logged;

extern "C" void CatchLog(void*, int level, const char* format, va_list arguments) {
    if (level <= av_log_get_level()) {
        char line[1024];
        std::vsnprintf(line, sizeof line, format, arguments);
        logged.emplace_back(line);
    }
}

// libx264's settings and statistics never reach standard error, even in a process that
// left FFmpeg's log at its default level, as the viewer does.
TEST_F(ClipExportTest, TheEncoderLogsNothingButErrors) {
    logged.clear();
    av_log_set_level(AV_LOG_INFO);
    av_log_set_callback(CatchLog);
    for (const char* out : {"out/clip.mkv", "out/clip.mp4"}) {
        for (const ClipCodec codec : {ClipCodec::kCopy, ClipCodec::kH264}) {
            EXPECT_EQ(Export(out, codec, {}).ending, ExportEnding::kWritten) << out;
        }
    }
    av_log_set_callback(av_log_default_callback);
    EXPECT_EQ(logged, std::vector<std::string>{});
}

TEST(TemporaryOutputTest, IsHiddenBesideTheOutputUntilCommitted) {
    test::TempTree tree;
    tree.WriteFile("clip.mkv", std::vector<std::uint8_t>{1, 2, 3});
    std::string temporary;
    {
        TemporaryOutput first(tree.Path("clip.mkv"));
        TemporaryOutput second(tree.Path("clip.mkv"));
        ASSERT_TRUE(first.Create().Ok());
        ASSERT_TRUE(second.Create().Ok());
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ(std::filesystem::path(first.Path()).parent_path(), tree.Root());
        EXPECT_EQ(std::filesystem::path(first.Path()).filename().string()[0], '.');
        temporary = second.Path();
        EXPECT_TRUE(first.Commit().Ok());
    }
    EXPECT_EQ(std::filesystem::file_size(tree.Path("clip.mkv")), 0u);  // replaced
    EXPECT_FALSE(std::filesystem::exists(temporary));                  // not committed: gone
    TemporaryOutput nowhere(tree.Path("missing/clip.mkv"));
    const Status failed = nowhere.Create();
    EXPECT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Why(),
              tree.Path("missing/clip.mkv") + ": cannot be written: No such file or directory");
}

}  // namespace
}  // namespace orvik
