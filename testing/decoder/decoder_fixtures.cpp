#include "testing/decoder/decoder_fixtures.h"

#include "jpeg/frame_jpeg.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/jpeg_reference.h"
#include "testing/framewriter/test_picture.h"

namespace orvik::testing {

TestFrame MakeFrame(int width, int height, int quality, std::uint32_t seed) {
    const std::vector<std::uint8_t> rgb = MakeTestPicture(width, height, seed);
    return TestFrame{width, height, EncodeFrame(rgb.data(), width, height, quality)};
}

void PrepareContext(DecoderContext& context, const TestFrame& frame) {
    InitDecoder(context, frame.width, frame.height);
    LoadFrameTables(context, frame.bytes.data() + kQuantSegmentsOffset);
}

std::vector<std::uint8_t> ReferencePlanes(const TestFrame& frame) {
    const std::vector<std::uint8_t> jpeg = RewrapAsJpeg(frame.bytes.data(), frame.bytes.size());
    ReferenceDecoder decoder;
    std::vector<std::uint8_t> planes;
    int width = 0;
    int height = 0;
    if (!decoder.DecodePlanes(jpeg.data(), jpeg.size(), planes, width, height)) {
        planes.clear();
    }
    return planes;
}

std::vector<std::uint8_t> PlanesOf(const DecoderContext& context) {
    const std::size_t bytes =
        2 * static_cast<std::size_t>(DecoderWidth(context)) * DecoderHeight(context);
    return std::vector<std::uint8_t>(context.planes.get(), context.planes.get() + bytes);
}

}  // namespace orvik::testing
