// The context's picture adjustments and its colour fields, built by the colour pipeline.
#include "colour/colour_matrix.h"
#include "decoder/decoder_context.h"

namespace orvik {

void StorePictureAdjustments(DecoderContext& context, const PictureAdjustments& raw) {
    context.adjustments = ClampAdjustments(raw);
}

void BuildColourMatrix(DecoderContext& context) {
    BuildColourMatrix(context.adjustments, context.colour);
}

}  // namespace orvik
