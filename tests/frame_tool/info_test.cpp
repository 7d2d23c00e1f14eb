// info: one line per file, in the order given, with the reason the viewer would not show it.
#include "library/file_manager.h"
#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

// At quality 50 the encoder's tables are the standard ones: luma DC 16, chroma DC 17.
Bytes Quality50Frame() {
    return Frame(64, 32, 1, 50);
}

Bytes Cut(Bytes frame, std::size_t size) {
    frame.resize(size);
    return frame;
}

Bytes WithTrailingBytes(Bytes frame) {
    frame.insert(frame.end(), {0x00, 0xFF, 0xD9, 0x12});
    return frame;
}

struct InfoCase {
    const char* name;
    Bytes bytes;
    std::string line;  // after "PATH:"; SIZE stands for the file's size
};

class InfoTest : public FrameToolTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InfoTest, DescribesTheFrame) {
    const InfoCase& c = GetParam();
    tree.WriteFile("frame.jpg", c.bytes);
    std::string expected = c.line;
    if (const std::size_t at = expected.find("SIZE"); at != std::string::npos) {
        expected.replace(at, 4, std::to_string(c.bytes.size()));
    }
    const ToolRun run = Run({"info", tree.Path("frame.jpg")});
    EXPECT_EQ(run.out, tree.Path("frame.jpg") + ":" + expected + "\n");
    EXPECT_EQ(run.exitCode, expected.ends_with(" ok") ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, InfoTest,
    ::testing::Values(
        InfoCase{"Good", Quality50Frame(), " SIZE bytes, 64x32, quantisers 16 and 17, ok"},
        InfoCase{"Quality90", Frame(32, 16, 1, 90), " SIZE bytes, 32x16, quantisers 4 and 4, ok"},
        InfoCase{"BytesAfterTheEndMarker", WithTrailingBytes(Quality50Frame()),
                 " SIZE bytes, 64x32, quantisers 16 and 17, ok"},
        InfoCase{"HeaderOnly", Cut(Quality50Frame(), 545), " 545 bytes, refused: too short"},
        InfoCase{"Empty", Bytes{}, " 0 bytes, refused: too short"},
        InfoCase{"OneByteOfData", Cut(Quality50Frame(), 546),
                 " 546 bytes, 64x32, quantisers 16 and 17, refused: bad end marker"},
        InfoCase{"CutShort", Cut(Quality50Frame(), 700),
                 " 700 bytes, 64x32, quantisers 16 and 17, refused: bad end marker"},
        InfoCase{"WrongEndMarker", WithBadEndMarker(Quality50Frame()),
                 " SIZE bytes, 64x32, quantisers 16 and 17, refused: bad end marker"},
        InfoCase{"WidthNotAMultipleOf16", WithHeaderSize(Quality50Frame(), 60, 32),
                 " SIZE bytes, 60x32, quantisers 16 and 17, refused: refused size"},
        InfoCase{"ZeroHeight", WithHeaderSize(Quality50Frame(), 64, 0),
                 " SIZE bytes, 64x0, quantisers 16 and 17, refused: refused size"},
        InfoCase{"WiderThan1280", WithHeaderSize(Quality50Frame(), 1296, 32),
                 " SIZE bytes, 1296x32, quantisers 16 and 17, refused: refused size"},
        InfoCase{"LargerThanTheFileBuffer", Bytes(kFileBufferBytes + 1, 0x11),
                 " 3932161 bytes, refused: too large"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameToolTest, InfoGivesOneLinePerFileInOrderAndExit1WhenAnyIsRefused) {
    tree.WriteFile("a.jpg", Quality50Frame());
    tree.WriteFile("b.jpg", Cut(Quality50Frame(), 545));
    const std::string a = tree.Path("a.jpg");
    const std::string b = tree.Path("b.jpg");
    const std::string missing = tree.Path("missing.jpg");
    const std::string aLine = a + ": " + std::to_string(Quality50Frame().size()) +
                              " bytes, 64x32, quantisers 16 and 17, ok\n";

    ToolRun run = Run({"info", a, a});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, aLine + aLine);

    run = Run({"info", b, missing, a});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, b + ": 545 bytes, refused: too short\n" + missing +
                           ": refused: unreadable (No such file or directory)\n" + aLine);
}

TEST_F(FrameToolTest, InfoFindsAFrameWhoseNameDiffersOnlyInCaseAsTheViewerDoes) {
    tree.WriteFile("cam112000000.jpg", Quality50Frame());
    const ToolRun run = Run({"info", tree.Path("CAM112000000.JPG")});
    EXPECT_EQ(run.exitCode, 0) << run.out;
}

TEST_F(FrameToolTest, InfoRefusesAFolder) {
    tree.MakeFolder("24010112");
    const ToolRun run = Run({"info", tree.Path("24010112")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("refused: unreadable"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace orvik::test
