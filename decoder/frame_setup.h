// The frame and scan descriptions for a picture size, under the fixed coding parameters:
// three components Y, U, V (identifiers 1, 2, 3) sampled 2x1, 1x1, 1x1, quantisation
// slots 0, 1, 1, Huffman slots 0, 1, 1, one interleaved baseline scan.
#pragma once

#include "decoder/decoder_context.h"

namespace orvik {

// Component sizes, plane offsets and the MCU grid for frame.width x frame.height. Works
// for any size: the arithmetic is done wide and only stored in 32 bits, so a size that
// decoding will refuse still gives defined figures.
void SetUpFrame(FrameParams& frame);

// The scan description, the MCU grid and context.mcuCount (-1 when the height is 0), DC
// predictors 0.
void SetUpScan(DecoderContext& context);

}  // namespace orvik
