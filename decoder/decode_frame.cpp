// DecodeFrame and the hand-over to the colour conversion, kept apart from the decoding
// itself so that what only decodes planes does not need the colour pipeline.
//
// Each row of MCUs is converted as soon as the MCU loop finishes it: its planes (16 x w bytes)
// and its picture rows (24 x w bytes) are then still in the second-level cache, where a
// conversion after the last MCU read the whole planes back from further out and wrote the
// whole picture through it (bench/NOTES.md has what this brought).
#include "decoder/decode_frame.h"

#include "colour/convert_planes.h"
#include "decoder/decoder_tables.h"
#include "decoder/mcu_rows.h"

namespace orvik {
namespace {

struct PictureTarget {
    const DecoderContext& context;
    std::uint8_t* rgbOut;
};

void ConvertDecodedRows(void* state, int firstRow, int rowCount) {
    const auto* target = static_cast<const PictureTarget*>(state);
    ConvertPlaneRows(target->context, target->context.planes.get(), firstRow, rowCount,
                     target->rgbOut);
}

}  // namespace

int DecodeFrame(DecoderContext& context, const std::uint8_t* data, std::int32_t length,
                std::uint8_t* rgbOut) {
    PictureTarget target{context, rgbOut};
    return DecodeFramePlanes(context, data, length, McuRowSink{ConvertDecodedRows, &target})
                   .endTestPassed
               ? 1
               : 0;
}

void ConvertPlaneRows(const DecoderContext& context, const std::uint8_t* planes, int firstRow,
                      int rowCount, std::uint8_t* rgbOut) {
    const int width = DecoderWidth(context);
    const int height = DecoderHeight(context);
    if (firstRow < 0 || rowCount <= 0 || firstRow + rowCount > height) {
        return;
    }
    const std::size_t lumaBytes = static_cast<std::size_t>(width) * height;
    const auto first = static_cast<std::size_t>(firstRow);
    PlanesView view;
    view.y = planes + first * width;
    view.u = planes + lumaBytes + first * (width / 2);
    view.v = planes + lumaBytes + lumaBytes / 2 + first * (width / 2);
    view.width = width;
    view.height = rowCount;
    view.yStride = width;
    view.chromaStride = width / 2;
    // The picture is bottom-up: these rows end where the rows below them begin.
    const std::size_t stride = PictureStride(context.variant, width);
    std::uint8_t* out = rgbOut + static_cast<std::size_t>(height - firstRow - rowCount) * stride;
    if (context.variant == DecoderVariant::kPacked) {
        ConvertPlanesPacked(context.colour, view, out, stride);
    } else {
        ConvertPlanesScalar(context.colour, view, out);
    }
}

void ConvertPlanesToRgb(const DecoderContext& context, const std::uint8_t* planes,
                        std::uint8_t* rgbOut) {
    ConvertPlaneRows(context, planes, 0, DecoderHeight(context), rgbOut);
}

std::size_t PictureStride(DecoderVariant variant, int width) {
    return variant == DecoderVariant::kPacked ? PackedPictureStride(width)
                                              : ScalarPictureStride(width);
}

}  // namespace orvik
