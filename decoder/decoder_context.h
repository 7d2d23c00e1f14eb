// The frame decoder's state and its life cycle: coding tables, frame and scan
// descriptions, the Y/U/V planes buffer and, beside them, the picture adjustments and the
// colour-conversion fields. One context per clip library object, built for a picture size
// by InitDecoder, rebuilt by ResetDecoder on a size change, released by FreeDecoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "colour/colour_matrix.h"
#include "decoder/kernels.h"
#include "platform/zeroed_bytes.h"

namespace orvik {

struct DecoderTables;
struct FrameParams;
struct ScanParams;

// 1280 x 1024 x 2: room for the largest picture's three 4:2:2 planes.
inline constexpr std::size_t kPlanesBufferBytes = 2621440;

struct DecoderContext {
    DecoderContext();
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
    DecoderKernels kernels;  // the fastest this processor runs, picked at construction
};

// The two decoding paths; one of them serves the whole run. The system names them after the
// processor test that picks one, and the operations that make them up:
//   kPacked: mmxAvailable set (CpuHasMmx: every x86-64 processor); 16-bit quantisation
//            tables and working block, InverseDctMmx, ConvertPlanesVector.
//   kScalar: mmxAvailable clear; 32-bit quantisation tables and working block,
//            InverseDctScalar, ConvertPlanesTable.
// Everywhere else (twins, tools, tests, benchmarks) they are the packed and the scalar variant.
enum class DecoderVariant { kScalar, kPacked };
inline constexpr DecoderVariant kDecoderVariants[] = {DecoderVariant::kScalar,
                                                      DecoderVariant::kPacked};
// "scalar" or "packed".
const char* VariantName(DecoderVariant variant);

// Process-wide: true for the packed variant. Set once by the first InitDecoder.
extern bool mmxAvailable;

// The variant the processor test picks.
DecoderVariant ProcessorVariant();
// Fixes the variant before the first InitDecoder instead of asking the processor, so that
// tests and tools can run either variant on any machine.
void ChooseDecoderVariant(DecoderVariant variant);

// First set-up: processor test (unless a variant was chosen), tables, geometry, the four
// adjustments at 49 and the colour matrix.
void InitDecoder(DecoderContext& context, int width, int height);
// Rebuild for a new picture size; keeps the variant, the adjustments and the colour fields.
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
