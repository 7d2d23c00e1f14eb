#include "tests/frame_tool/tool_fixtures.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "decoder/decode_frame.h"
#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"

namespace orvik::test {

Bytes Frame(int width, int height, std::uint32_t seed, int quality) {
    return EncodeFrame(MakeTestPicture(width, height, seed).data(), width, height, quality);
}

Bytes WithBadEndMarker(Bytes frame) {
    frame.back() = 0xD8;
    return frame;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FrameName(int hours, int minutes, int seconds, int hundredths) {
    char name[32];
    std::snprintf(name, sizeof name, "CAM1%02d%02d%02d%02d.JPG", hours, minutes, seconds,
                  hundredths);
    return name;
}

ViewerFrame LoadInViewer(const std::string& path, const PictureAdjustments& adjustments,
                         std::optional<DecoderVariant> variant) {
    CMavFileManager manager(variant);
    manager.SetPictureAdjustments(adjustments.brightness, adjustments.contrast, adjustments.hue,
                                  adjustments.saturation);
    ViewerFrame frame;
    if (!manager.LoadFrame(path.c_str())) {
        return frame;
    }
    frame.width = manager.PictureWidth();
    frame.height = manager.PictureHeight();
    frame.stride = PictureStride(manager.Decoder().variant, frame.width);
    const std::uint8_t* bits = manager.PictureBits();
    frame.picture.assign(bits, bits + frame.stride * static_cast<std::size_t>(frame.height));
    const std::uint8_t* planes = manager.Decoder().planes.get();
    frame.planes.assign(planes, planes + 2 * static_cast<std::size_t>(frame.width) * frame.height);
    return frame;
}

void FrameToolTest::StoreSettings(const PictureAdjustments& adjustments) const {
    const std::string text = "[General]\nBrightness=" + std::to_string(adjustments.brightness) +
                             "\nContrast=" + std::to_string(adjustments.contrast) +
                             "\nHue=" + std::to_string(adjustments.hue) +
                             "\nSaturation=" + std::to_string(adjustments.saturation) + "\n";
    tree.WriteFile("config/Telmora/Kestrune.conf", Bytes(text.begin(), text.end()));
}

}  // namespace orvik::test
