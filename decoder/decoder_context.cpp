// The decoder context's life cycle and the per-frame quantisation tables.
#include "decoder/decoder_context.h"

#include "decoder/decoder_tables.h"
#include "decoder/frame_setup.h"
#include "decoder/huffman_tables.h"
#include "decoder/zigzag.h"

namespace orvik {
namespace {

// A quantisation segment: marker and length (4 bytes), the table's identifier byte, 64
// quantisers in zigzag order. The marker, length and identifier are not looked at.
constexpr int kSegmentLeadBytes = 4;
constexpr int kTableIdBytes = 1;

void Allocate(DecoderContext& context) {
    context.tables = std::make_unique<DecoderTables>();
    context.frame = std::make_unique<FrameParams>();
    context.scan = std::make_unique<ScanParams>();
    for (int slot = 0; slot < 2; ++slot) {
        if (context.variant == DecoderVariant::kPacked) {
            context.tables->quant16[slot] = std::make_unique<QuantTable16>();
        } else {
            context.tables->quant32[slot] = std::make_unique<QuantTable32>();
        }
    }
    context.planes = MakeZeroedBytes(kPlanesBufferBytes);
}

void SetUp(DecoderContext& context, int width, int height) {
    Allocate(context);
    context.frame->width = width;
    context.frame->height = height;
    BuildHuffmanTables(*context.tables);
    SetUpFrame(*context.frame);
    SetUpScan(context);
}

}  // namespace

DecoderContext::DecoderContext(DecoderVariant chosen)
    : variant(chosen), kernels(FastestDecoderKernels()) {}
DecoderContext::~DecoderContext() = default;

void InitDecoder(DecoderContext& context, int width, int height) {
    FreeDecoder(context);
    SetUp(context, width, height);
    context.adjustments = PictureAdjustments{};
    BuildColourMatrix(context);
}

void ResetDecoder(DecoderContext& context, int width, int height) {
    FreeDecoder(context);
    SetUp(context, width, height);
}

void FreeDecoder(DecoderContext& context) {
    // Releasing the records releases every table slot they hold.
    context.tables.reset();
    context.frame.reset();
    context.scan.reset();
    context.planes.reset();
}

void LoadFrameTables(DecoderContext& context, const std::uint8_t* header) {
    if (!context.tables) {
        return;
    }
    const std::uint8_t* at = header + kSegmentLeadBytes;
    for (int slot = 0; slot < 2; ++slot) {
        at += kTableIdBytes;
        // Only the context's variant's form exists: the other slot pointer is empty.
        QuantTable16* form16 = context.tables->quant16[slot].get();
        QuantTable32* form32 = context.tables->quant32[slot].get();
        for (int k = 0; k < 64; ++k, ++at) {
            if (form16 != nullptr) {
                (*form16)[ZigzagToNatural[k]] = *at;
            }
            if (form32 != nullptr) {
                (*form32)[ZigzagToNatural[k]] = *at;
            }
        }
        at += kSegmentLeadBytes;
    }
}

int DecoderWidth(const DecoderContext& context) {
    return context.frame ? context.frame->width : 0;
}

int DecoderHeight(const DecoderContext& context) {
    return context.frame ? context.frame->height : 0;
}

}  // namespace orvik
