#include "tests/robustness/recording.h"

#include "decoder/decode_frame.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"

namespace orvik::test {

Bytes GoodFrame(std::uint32_t seed) {
    return EncodeFrame(MakeTestPicture(kFrameWidth, kFrameHeight, seed).data(), kFrameWidth,
                       kFrameHeight, 80);
}

std::unique_ptr<CMavFileManager> MakeManager(DecoderVariant variant) {
    return std::make_unique<CMavFileManager>(variant);
}

Bytes ShownPicture(const CMavFileManager& manager) {
    const std::size_t bytes =
        PictureStride(manager.Decoder().variant, manager.PictureWidth()) * manager.PictureHeight();
    return Bytes(manager.PictureBits(), manager.PictureBits() + bytes);
}

Bytes PictureOf(const Bytes& frame, DecoderVariant variant) {
    TempTree tree;
    tree.WriteFile("frame.jpg", frame);
    const std::unique_ptr<CMavFileManager> manager = MakeManager(variant);
    manager->LoadFrame(tree.Path("frame.jpg").c_str());
    return ShownPicture(*manager);
}

}  // namespace orvik::test
