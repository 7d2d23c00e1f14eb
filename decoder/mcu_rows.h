// The MCU loop's word on each row of MCUs it finishes, so that DecodeFrame converts the picture
// rows whose planes are complete while those planes are still in the cache, instead of reading
// the whole planes back after the last MCU.
#pragma once

#include <cstdint>

#include "decoder/decode_frame.h"

namespace orvik {

// Told that the planes of picture rows firstRow .. firstRow + rowCount - 1 are complete, one
// row of MCUs after the other, top to bottom.
struct McuRowSink {
    void (*rowsDecoded)(void* state, int firstRow, int rowCount);
    void* state;
};

// DecodeFramePlanes, telling sink of each row of MCUs as soon as it is decoded. The end test
// comes after the last row: a frame that fails it has had every row reported all the same.
PlanesResult DecodeFramePlanes(DecoderContext& context, const std::uint8_t* data,
                               std::int32_t length, const McuRowSink& sink);

}  // namespace orvik
