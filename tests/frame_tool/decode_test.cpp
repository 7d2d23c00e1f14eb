// decode: the tool's pictures are the viewer's. bgr is the viewer's pictureBits byte for
// byte, yuv its decoder's planes, and png, bmp and ppm that picture upright in RGB, for
// both variants and for stored and given adjustments.
#include <QImage>
#include <filesystem>

#include "tests/frame_tool/tool_fixtures.h"

namespace orvik::test {
namespace {

struct VariantCase {
    const char* name;
    std::vector<std::string> option;
    std::optional<DecoderVariant> variant;
};

const VariantCase kVariants[] = {
    {"Processor", {}, std::nullopt},
    {"Packed", {"--variant", "packed"}, DecoderVariant::kPacked},
    {"Scalar", {"--variant", "scalar"}, DecoderVariant::kScalar},
};

// The viewer's picture upright, R, G, B: the rows from the last, each pixel turned round.
Bytes UprightRgb(const ViewerFrame& frame) {
    Bytes rgb;
    for (int row = frame.height - 1; row >= 0; --row) {
        const std::uint8_t* pixel = frame.picture.data() + row * frame.stride;
        for (int x = 0; x < frame.width; ++x, pixel += 3) {
            rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }
    return rgb;
}

Bytes ImageRgb(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Bytes out;
    for (int row = 0; row < rgb.height(); ++row) {
        const uchar* line = rgb.constScanLine(row);
        out.insert(out.end(), line, line + 3 * rgb.width());
    }
    return out;
}

// A binary pixmap's pixels, after checking its header.
Bytes PpmRgb(const Bytes& file, int width, int height) {
    const std::string header =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    if (file.size() < header.size() || !std::equal(header.begin(), header.end(), file.begin())) {
        return {};
    }
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(header.size()), file.end());
}

class DecodeTest : public FrameToolTest {
  protected:
    DecodeTest() { tree.WriteFile("frame.jpg", Frame(96, 40, 7)); }

    ToolRun Decode(const std::vector<std::string>& options, const std::string& out,
                   const std::vector<std::string>& frames) const {
        std::vector<std::string> arguments = {"decode"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"-o", out});
        for (const std::string& frame : frames) {
            arguments.push_back(tree.Path(frame));
        }
        return Run(arguments);
    }
};

TEST_F(DecodeTest, BgrAndYuvAreTheViewersBuffersWithTheStoredOrGivenAdjustments) {
    struct AdjustmentCase {
        const char* name;
        std::optional<PictureAdjustments> stored;  // none: no settings file
        std::vector<std::string> option;
        PictureAdjustments viewer;  // what the viewer is given
    };
    const AdjustmentCase adjustments[] = {
        {"Defaults", std::nullopt, {}, {80, 70, 49, 49}},
        {"Stored", PictureAdjustments{30, 60, 20, 75}, {}, {30, 60, 20, 75}},
        {"GivenOverStored",
         PictureAdjustments{30, 60, 20, 75},
         {"--adjust", "10,99,0,49"},
         {10, 99, 0, 49}},
        {"GivenOutOfRange", std::nullopt, {"--adjust", "150,-5,49,1000"}, {150, -5, 49, 1000}},
        {"StoredOutOfRange", PictureAdjustments{-7, 300, 49, 49}, {}, {-7, 300, 49, 49}},
    };
    for (const VariantCase& variant : kVariants) {
        for (const AdjustmentCase& adjust : adjustments) {
            SCOPED_TRACE(std::string(variant.name) + " " + adjust.name);
            std::filesystem::remove_all(tree.Path("config"));
            tree.MakeFolder("config");
            if (adjust.stored) {
                StoreSettings(*adjust.stored);
            }
            std::vector<std::string> options = variant.option;
            options.insert(options.end(), adjust.option.begin(), adjust.option.end());
            const ViewerFrame viewer =
                LoadInViewer(tree.Path("frame.jpg"), adjust.viewer, variant.variant);
            ASSERT_EQ(viewer.width, 96);

            ToolRun run = Decode(options, tree.Path("out.bgr"), {"frame.jpg"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            EXPECT_TRUE(ReadBytes(tree.Path("out.bgr")) == viewer.picture);

            run = Decode(options, tree.Path("out.yuv"), {"frame.jpg"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            EXPECT_TRUE(ReadBytes(tree.Path("out.yuv")) == viewer.planes);
        }
    }
}

TEST_F(DecodeTest, TheVariantsGiveDifferentPicturesAtHighContrast) {
    // Otherwise the variant tests above could pass with the option ignored.
    const std::vector<std::string> adjust = {"--adjust", "49,99,49,49", "--format", "bgr"};
    std::vector<std::string> packed = adjust;
    packed.insert(packed.end(), {"--variant", "packed"});
    std::vector<std::string> scalar = adjust;
    scalar.insert(scalar.end(), {"--variant", "scalar"});
    ASSERT_EQ(Decode(packed, tree.Path("packed"), {"frame.jpg"}).exitCode, 0);
    ASSERT_EQ(Decode(scalar, tree.Path("scalar"), {"frame.jpg"}).exitCode, 0);
    EXPECT_FALSE(ReadBytes(tree.Path("packed")) == ReadBytes(tree.Path("scalar")));
}

TEST_F(DecodeTest, PicturesAreTheViewersPictureUprightInEveryFormat) {
    const PictureAdjustments given{60, 40, 30, 80};
    const std::vector<std::string> adjust = {"--adjust", "60,40,30,80"};
    for (const VariantCase& variant : kVariants) {
        const Bytes expected =
            UprightRgb(LoadInViewer(tree.Path("frame.jpg"), given, variant.variant));
        for (const char* out : {"out.png", "out.bmp", "out.ppm", "OUT.PNG"}) {
            SCOPED_TRACE(std::string(variant.name) + " " + out);
            std::vector<std::string> options = variant.option;
            options.insert(options.end(), adjust.begin(), adjust.end());
            const ToolRun run = Decode(options, tree.Path(out), {"frame.jpg"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const Bytes file = ReadBytes(tree.Path(out));
            const Bytes rgb =
                std::string(out).ends_with(".ppm")
                    ? PpmRgb(file, 96, 40)
                    : ImageRgb(QImage::fromData(file.data(), static_cast<int>(file.size())));
            EXPECT_TRUE(rgb == expected);
        }
    }
}

TEST_F(DecodeTest, FormatOptionWinsOverTheExtension) {
    ASSERT_EQ(Decode({"--format", "bgr"}, tree.Path("out.png"), {"frame.jpg"}).exitCode, 0);
    ASSERT_EQ(Decode({}, tree.Path("out.bgr"), {"frame.jpg"}).exitCode, 0);
    EXPECT_TRUE(ReadBytes(tree.Path("out.png")) == ReadBytes(tree.Path("out.bgr")));
}

TEST_F(DecodeTest, MinusWritesBgrAndYuvToStandardOutput) {
    for (const char* format : {"bgr", "yuv"}) {
        const std::string file = tree.Path(std::string("out.") + format);
        ASSERT_EQ(Decode({}, file, {"frame.jpg"}).exitCode, 0);
        const ToolRun run = Decode({"--format", format}, "-", {"frame.jpg"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const Bytes written = ReadBytes(file);
        EXPECT_TRUE(Bytes(run.out.begin(), run.out.end()) == written) << format;
        EXPECT_EQ(run.out.size(), std::string(format) == "bgr" ? 96u * 40 * 3 : 96u * 40 * 2);
    }
}

TEST_F(DecodeTest, SeveralFramesGoIntoAFolderNamedAfterTheirFramesAcrossSizeChanges) {
    tree.WriteFile("24010110/" + FrameName(10, 0, 0), Frame(64, 32, 1));
    tree.WriteFile("24010110/" + FrameName(10, 0, 1), Frame(32, 16, 2));
    tree.WriteFile("24010110/" + FrameName(10, 0, 2), Frame(64, 32, 3));
    const std::vector<std::string> frames = {"24010110/" + FrameName(10, 0, 0),
                                             "24010110/" + FrameName(10, 0, 1),
                                             "24010110/" + FrameName(10, 0, 2)};
    const ToolRun run =
        Decode({"--format", "bgr", "--adjust", "49,49,49,49"}, tree.Path("out/new"), frames);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const std::string& frame : frames) {
        const std::string name = std::filesystem::path(frame).stem().string() + ".bgr";
        const ViewerFrame viewer = LoadInViewer(tree.Path(frame), {49, 49, 49, 49}, std::nullopt);
        EXPECT_TRUE(ReadBytes(tree.Path("out/new/" + name)) == viewer.picture) << name;
    }
}

TEST_F(DecodeTest, OneFrameGoesIntoAnExistingFolder) {
    tree.MakeFolder("out");
    ASSERT_EQ(Decode({"--format", "ppm"}, tree.Path("out"), {"frame.jpg"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(tree.Path("out/frame.ppm")));
}

TEST_F(DecodeTest, RefusedFramesAreNamedSkippedAndGiveExitCode1) {
    tree.WriteFile("bad.jpg", WithBadEndMarker(Frame(32, 16)));
    tree.WriteFile("a/same.jpg", Frame(32, 16, 1));
    tree.WriteFile("b/same.jpg", Frame(32, 16, 2));
    const ToolRun run = Decode({"--format", "png"}, tree.Path("out"),
                               {"bad.jpg", "a/same.jpg", "b/same.jpg", "frame.jpg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(tree.Path("bad.jpg") + ": refused: bad end marker"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(tree.Path("b/same.jpg") + ": its output same.png was already written"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(tree.Path("out/bad.png")));
    EXPECT_TRUE(std::filesystem::exists(tree.Path("out/frame.png")));
    // The first frame of that name keeps its output.
    const QImage same(QString::fromStdString(tree.Path("out/same.png")));
    const Bytes first =
        UprightRgb(LoadInViewer(tree.Path("a/same.jpg"), {80, 70, 49, 49}, std::nullopt));
    EXPECT_TRUE(ImageRgb(same) == first);

    const ToolRun single = Decode({}, tree.Path("single.png"), {"bad.jpg"});
    EXPECT_EQ(single.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(tree.Path("single.png")));
}

TEST_F(DecodeTest, AnOutputThatCannotBeWrittenGivesExitCode1) {
    const ToolRun run = Decode({}, tree.Path("no/such/folder/out.png"), {"frame.jpg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot be written"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace orvik::test
