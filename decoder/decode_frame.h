// DecodeFrame: the coded data of one frame becomes the Y, U and V planes of the context and,
// row of MCUs by row of MCUs, the bottom-up BGR picture in the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/decoder_context.h"

namespace orvik {

// data: the bytes after the 545-byte header; length: file size - 545. Returns 1 when the
// frame was decoded and converted into rgbOut, 0 when it was refused (unsupported size,
// nothing written) or failed the end test. The end test comes after the last MCU, and each
// row of MCUs is converted as it is decoded, so a frame that fails it leaves its rows in
// rgbOut: what must keep showing the last good picture decodes into a second one and takes
// it only on 1 (FrameReader does). Never reads data past length; never writes rgbOut beyond
// height x PictureStride bytes.
int DecodeFrame(DecoderContext& context, const std::uint8_t* data, std::int32_t length,
                std::uint8_t* rgbOut);

// What DecodeFramePlanes found.
struct PlanesResult {
    bool endTestPassed = false;   // false also when the frame was refused
    bool invalidCodeMet = false;  // some code matched no code of its table and read as symbol 0
};

// DecodeFrame without the conversion: decodes into context.planes and makes the end test. A
// frame is refused, with nothing written to the planes, unless the context is set up for a
// size that PictureSizeSupported accepts, with the quantisation tables of its variant.
PlanesResult DecodeFramePlanes(DecoderContext& context, const std::uint8_t* data,
                               std::int32_t length);

// The planes of the last decoded frame to the picture, by the conversion of the context's
// variant.
void ConvertPlanesToRgb(const DecoderContext& context, const std::uint8_t* planes,
                        std::uint8_t* rgbOut);
// The same for picture rows firstRow .. firstRow + rowCount - 1 only (counted from the top),
// written to where they lie in the whole bottom-up picture; rows outside the picture convert
// nothing.
void ConvertPlaneRows(const DecoderContext& context, const std::uint8_t* planes, int firstRow,
                      int rowCount, std::uint8_t* rgbOut);

// Bytes a row of the picture ConvertPlanesToRgb writes for this width in this variant.
std::size_t PictureStride(DecoderVariant variant, int width);

}  // namespace orvik
