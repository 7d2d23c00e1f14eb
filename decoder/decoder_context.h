// The frame decoder's state and its life cycle: coding tables, frame and scan
// descriptions, the Y/U/V planes buffer and, beside them, the picture adjustments and the
// colour-conversion fields. One context per clip library object, made for one decoding
// variant, set up for a picture size by InitDecoder, rebuilt by ResetDecoder on a size
// change, released by FreeDecoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "colour/colour_matrix.h"
#include "decoder/decoder_variant.h"
#include "decoder/kernels.h"
#include "platform/zeroed_bytes.h"

namespace orvik {

struct DecoderTables;
struct FrameParams;
struct ScanParams;

// 1280 x 1024 x 2: room for the largest picture's three 4:2:2 planes.
inline constexpr std::size_t kPlanesBufferBytes = 2621440;

struct DecoderContext {
    // Empty until InitDecoder sets it up.
    explicit DecoderContext(DecoderVariant variant);
    ~DecoderContext();
    DecoderContext(const DecoderContext&) = delete;
    DecoderContext& operator=(const DecoderContext&) = delete;

    std::unique_ptr<DecoderTables> tables;
    std::unique_ptr<FrameParams> frame;
    std::unique_ptr<ScanParams> scan;
    ZeroedBytes planes;              // Y, then U, then V, back to back
    std::int32_t mcuCount = -1;      // -1 when the height is 0
    PictureAdjustments adjustments;  // always within 0..99
    ColourMatrix colour;
    // Fixed for the context's life: the form of its quantisation tables, its working block,
    // its transform and its conversion all follow it.
    const DecoderVariant variant;
    const DecoderKernels kernels;  // the fastest this processor runs, picked at construction
};

// First set-up: tables in the context's variant, geometry, the four adjustments at 49 and the
// colour matrix.
void InitDecoder(DecoderContext& context, int width, int height);
// Rebuild for a new picture size; keeps the adjustments and the colour fields.
void ResetDecoder(DecoderContext& context, int width, int height);
// Releases every table, the frame and scan records and the planes buffer.
void FreeDecoder(DecoderContext& context);
// Loads the two quantisation tables from a frame header; header points at file offset 374.
void LoadFrameTables(DecoderContext& context, const std::uint8_t* header);

// Stores new adjustments, each limited to 0..99 (a stored setting may hold any value).
void StorePictureAdjustments(DecoderContext& context, const PictureAdjustments& raw);
// Rebuilds the colour fields from the context's adjustments.
void BuildColourMatrix(DecoderContext& context);

// Picture width and height the context is set up for.
int DecoderWidth(const DecoderContext& context);
int DecoderHeight(const DecoderContext& context);

}  // namespace orvik
