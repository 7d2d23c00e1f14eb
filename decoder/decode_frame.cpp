// DecodeFrame and the hand-over to the colour conversion, kept apart from the decoding
// itself so that what only decodes planes does not need the colour pipeline.
#include "decoder/decode_frame.h"

#include "colour/convert_planes.h"
#include "decoder/decoder_tables.h"

namespace orvik {

int DecodeFrame(DecoderContext& context, const std::uint8_t* data, std::int32_t length,
                std::uint8_t* rgbOut) {
    if (!DecodeFramePlanes(context, data, length).endTestPassed) {
        return 0;
    }
    ConvertPlanesToRgb(context, context.planes.get(), rgbOut);
    return 1;
}

void ConvertPlanesToRgb(const DecoderContext& context, const std::uint8_t* planes,
                        std::uint8_t* rgbOut) {
    const int width = DecoderWidth(context);
    const int height = DecoderHeight(context);
    const std::size_t lumaBytes = static_cast<std::size_t>(width) * height;
    PlanesView view;
    view.y = planes;
    view.u = planes + lumaBytes;
    view.v = planes + lumaBytes + lumaBytes / 2;
    view.width = width;
    view.height = height;
    view.yStride = width;
    view.chromaStride = width / 2;
    if (context.variant == DecoderVariant::kPacked) {
        ConvertPlanesPacked(context.colour, view, rgbOut, PackedPictureStride(width));
    } else {
        ConvertPlanesScalar(context.colour, view, rgbOut);
    }
}

std::size_t PictureStride(DecoderVariant variant, int width) {
    return variant == DecoderVariant::kPacked ? PackedPictureStride(width)
                                              : ScalarPictureStride(width);
}

}  // namespace orvik
