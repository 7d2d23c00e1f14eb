// jpeg: the rewrapped file decodes, with libjpeg-turbo, to the very planes of the
// viewer's decoder (scalar transform), and carries the capture time of its names in Exif.
#include <filesystem>
#include <map>

#include "testing/framewriter/jpeg_reference.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

// The ASCII values of a JPEG's Exif segment by tag, read the way an Exif reader walks it:
// APP1 right after SOI, "Exif\0\0", a big-endian TIFF header, the first IFD's pointer to
// the Exif IFD, and each entry's value in place (4 bytes or fewer) or at its offset.
std::map<int, std::string> ExifTexts(const Bytes& jpeg) {
    std::map<int, std::string> texts;
    constexpr std::size_t kTiff = 2 + 4 + 6;  // SOI, APP1 marker and length, "Exif\0\0"
    if (jpeg.size() < kTiff + 8 || jpeg[2] != 0xFF || jpeg[3] != 0xE1 ||
        std::string(jpeg.begin() + 6, jpeg.begin() + 12) != std::string("Exif\0\0", 6) ||
        jpeg[kTiff] != 'M' || jpeg[kTiff + 1] != 'M') {
        return texts;
    }
    const std::size_t segmentEnd = 4 + ((jpeg[4] << 8) | jpeg[5]);
    auto u16 = [&](std::size_t at) -> std::size_t {
        return kTiff + at + 2 <= segmentEnd ? (jpeg[kTiff + at] << 8) | jpeg[kTiff + at + 1] : 0;
    };
    auto u32 = [&](std::size_t at) { return (u16(at) << 16) | u16(at + 2); };
    auto entries = [&](std::size_t ifd, auto&& visit) {
        const std::size_t count = u16(ifd);
        for (std::size_t i = 0; i < count; ++i) {
            visit(ifd + 2 + 12 * i);
        }
    };
    std::size_t exifIfd = 0;
    entries(u32(4), [&](std::size_t entry) {
        if (u16(entry) == 0x8769) {
            exifIfd = u32(entry + 8);
        }
    });
    if (exifIfd == 0) {
        return texts;
    }
    entries(exifIfd, [&](std::size_t entry) {
        if (u16(entry + 2) != 2) {
            return;  // not ASCII
        }
        const std::size_t count = u32(entry + 4);
        const std::size_t at = kTiff + (count <= 4 ? entry + 8 : u32(entry + 8));
        if (count == 0 || at + count > segmentEnd || jpeg[at + count - 1] != 0) {
            return;
        }
        texts[static_cast<int>(u16(entry))] =
            std::string(jpeg.begin() + static_cast<std::ptrdiff_t>(at),
                        jpeg.begin() + static_cast<std::ptrdiff_t>(at + count - 1));
    });
    return texts;
}

constexpr int kDateTimeOriginal = 0x9003;
constexpr int kSubSecTimeOriginal = 0x9291;

class JpegTest : public FrameToolTest {
  protected:
    ToolRun Rewrap(const std::string& frame, const std::string& out) const {
        return Run({"jpeg", "-o", tree.Path(out), tree.Path(frame)});
    }
};

TEST_F(JpegTest, LibjpegDecodesTheSamePlanesAsTheScalarTransform) {
    struct Picture {
        int width, height, quality;
    };
    for (const Picture& picture :
         {Picture{64, 32, 75}, Picture{160, 64, 97}, Picture{48, 8, 20}, Picture{16, 1024, 60}}) {
        SCOPED_TRACE(std::to_string(picture.width) + "x" + std::to_string(picture.height));
        const std::string frame = "24010110/" + FrameName(10, 20, 30, 40);
        tree.WriteFile(frame, Frame(picture.width, picture.height, 5, picture.quality));
        ASSERT_EQ(Rewrap(frame, "out.jpg").exitCode, 0);
        ASSERT_EQ(
            Run({"decode", "--variant", "scalar", "-o", tree.Path("out.yuv"), tree.Path(frame)})
                .exitCode,
            0);
        const Bytes jpeg = ReadBytes(tree.Path("out.jpg"));
        ReferenceDecoder reference;
        Bytes planes;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(reference.DecodePlanes(jpeg.data(), jpeg.size(), planes, width, height));
        EXPECT_EQ(width, picture.width);
        EXPECT_EQ(height, picture.height);
        EXPECT_TRUE(planes == ReadBytes(tree.Path("out.yuv")));
    }
}

TEST_F(JpegTest, CarriesTheCaptureTimeOfItsFolderAndFileNames) {
    struct NameCase {
        std::string folder;
        std::string file;
        std::string dateTime;  // empty: no Exif segment
        std::string subSecond;
    };
    const NameCase cases[] = {
        {"24061509", "CAM109123456.JPG", "2024:06:15 09:12:34", "56"},
        {"24022923_cam", "cam123595999.jpg", "2024:02:29 23:59:59", "99"},
        {"99123100", "XXXX00000000", "2099:12:31 00:00:00", "00"},
        {"23022912", "CAM112000000.JPG", "", ""},  // no 29 February in 2023
        {"24130112", "CAM112000000.JPG", "", ""},  // month 13
        {"24010112", "CAM124000000.JPG", "", ""},  // hour 24
        {"24010112", "CAM112600000.JPG", "", ""},  // minute 60
        {"2401011", "CAM112000000.JPG", "", ""},   // folder name too short
        {"24010112", "CAM11200000.J", "", ""},     // a letter among the hundredths
        {"notes", "CAM112000000.JPG", "", ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.folder + "/" + c.file);
        const std::string frame = c.folder + "/" + c.file;
        tree.WriteFile(frame, Frame(32, 16));
        const ToolRun run = Rewrap(frame, "out.jpg");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Bytes jpeg = ReadBytes(tree.Path("out.jpg"));
        const std::map<int, std::string> texts = ExifTexts(jpeg);
        if (c.dateTime.empty()) {
            EXPECT_TRUE(texts.empty());
            EXPECT_FALSE(jpeg[2] == 0xFF && jpeg[3] == 0xE1) << "no Exif segment at all";
            EXPECT_NE(run.err.find("no capture time"), std::string::npos);
        } else {
            EXPECT_EQ(texts, (std::map<int, std::string>{{kDateTimeOriginal, c.dateTime},
                                                         {kSubSecTimeOriginal, c.subSecond}}));
            EXPECT_EQ(run.err, "");
        }
        ReferenceDecoder reference;
        Bytes bgr;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(reference.DecodeBgr(jpeg.data(), jpeg.size(), bgr, width, height));
    }
}

TEST_F(JpegTest, BytesAfterTheFramesEndMarkerAreLeftOut) {
    const Bytes frame = Frame(64, 32);
    Bytes padded = frame;
    padded.insert(padded.end(), {0x00, 0xFF, 0xD9, 0xFF, 0x12});
    tree.WriteFile("24010110/" + FrameName(10, 0, 0), frame);
    tree.WriteFile("24010111/" + FrameName(10, 0, 0), padded);
    ASSERT_EQ(Rewrap("24010110/" + FrameName(10, 0, 0), "plain.jpg").exitCode, 0);
    ASSERT_EQ(Rewrap("24010111/" + FrameName(10, 0, 0), "padded.jpg").exitCode, 0);
    // Both names give the same capture time, so the files must be the same.
    const Bytes plain = ReadBytes(tree.Path("plain.jpg"));
    EXPECT_TRUE(ReadBytes(tree.Path("padded.jpg")) == plain);
    ASSERT_GE(plain.size(), 2u);
    EXPECT_EQ(plain[plain.size() - 2], 0xFF);
    EXPECT_EQ(plain.back(), 0xD9);
}

TEST_F(JpegTest, SeveralFramesGoIntoAFolderAndRefusedOnesAreNotWritten) {
    tree.WriteFile("24010110/" + FrameName(10, 0, 0), Frame(32, 16, 1));
    tree.WriteFile("24010110/" + FrameName(10, 0, 1), WithHeaderSize(Frame(32, 16, 2), 30, 16));
    tree.WriteFile("24010110/" + FrameName(10, 0, 2), Frame(32, 16, 3));
    const ToolRun run =
        Run({"jpeg", "-o", tree.Path("out"), tree.Path("24010110/" + FrameName(10, 0, 0)),
             tree.Path("24010110/" + FrameName(10, 0, 1)),
             tree.Path("24010110/" + FrameName(10, 0, 2))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(FrameName(10, 0, 1) + ": refused: refused size"), std::string::npos)
        << run.err;
    EXPECT_TRUE(std::filesystem::exists(tree.Path("out/CAM110000000.jpg")));
    EXPECT_FALSE(std::filesystem::exists(tree.Path("out/CAM110000100.jpg")));
    EXPECT_TRUE(std::filesystem::exists(tree.Path("out/CAM110000200.jpg")));
}

}  // namespace
}  // namespace orvik::test
