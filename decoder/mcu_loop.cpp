// DecodeFramePlanes: the MCU loop and the end test. Each MCU holds, in coded order, Y block
// (0,0), Y block (0,1), the U block and the V block; every block is Huffman decoded into
// the working block and transformed straight into its place in the planes, with no
// coefficient buffer for the frame. A block whose first AC symbol ends it holds its DC
// alone and transforms to 64 equal samples: it is filled with the sample the transform gives
// such a block (PackedDcOnlySample, ScalarDcOnlySample) instead, so the planes are the same.
//
// The context's variant (16-bit working block and packed transform, or 32-bit block and
// scalar transform) is looked at once per frame; the transform is the one of the context's
// kernel table. The blocks left to transform go two at a time to the table's pair transform
// (the AVX2 one does both in one pass), the odd one alone. Within a frame, an MCU that starts
// with enough source bytes ahead for any MCU runs with the unchecked refill; the tail runs
// with the careful one. Both give the same symbols and the same final position. What these
// choices measured is in bench/NOTES.md.
//
// After the last MCU of each row the row sink, when there is one, is told that the planes of
// that row's picture rows are complete (decoder/mcu_rows.h).
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "decoder/bit_reader.h"
#include "decoder/decode_frame.h"
#include "decoder/decoder_tables.h"
#include "decoder/fill_block.h"
#include "decoder/frame_format.h"
#include "decoder/huffman_decode.h"
#include "decoder/mcu_rows.h"

namespace orvik {
namespace {

constexpr int kScanComponents = 3;
constexpr int kLevelShift = 128;
constexpr int kMaxSample = 255;
constexpr std::uint8_t kEndMarker[2] = {0xFF, 0xD9};

struct PackedVariant {
    using Coefficient = std::int16_t;
    using Quantiser = std::int16_t;
    using Place = PackedBlock;
    static const std::int16_t* Quant(const DecoderTables& tables, int slot) {
        return tables.quant16[slot] ? tables.quant16[slot]->data() : nullptr;
    }
    static void Transform(const DecoderKernels& kernels, const Place& p) {
        kernels.inverseDctPacked(p.coefficients, p.quant, p.out, p.stride);
    }
    static void TransformPair(const DecoderKernels& kernels, const Place& a, const Place& b) {
        kernels.inverseDctPackedPair(a, b);
    }
    static std::uint8_t DcOnlySample(Coefficient dc, Quantiser quantiser) {
        return PackedDcOnlySample(dc, quantiser);
    }
};

struct ScalarVariant {
    using Coefficient = std::int32_t;
    using Quantiser = std::int32_t;
    struct Place {
        const Coefficient* coefficients;
        const Quantiser* quant;
        std::uint8_t* out;
        int stride;
    };
    static const std::int32_t* Quant(const DecoderTables& tables, int slot) {
        return tables.quant32[slot] ? tables.quant32[slot]->data() : nullptr;
    }
    static void Transform(const DecoderKernels& kernels, const Place& p) {
        kernels.inverseDctScalar(p.coefficients, p.quant, p.out, p.stride, kLevelShift, kMaxSample);
    }
    static void TransformPair(const DecoderKernels& kernels, const Place& a, const Place& b) {
        Transform(kernels, a);
        Transform(kernels, b);
    }
    static std::uint8_t DcOnlySample(Coefficient dc, Quantiser quantiser) {
        return ScalarDcOnlySample(dc, quantiser, kLevelShift, kMaxSample);
    }
};

// What the loop needs of one scan component, looked up once per frame.
template <class Variant>
struct ScanComponent {
    int id;
    int h;
    int v;
    int width;  // the plane's row stride
    HuffmanPair dc;
    HuffmanPair ac;
    const typename Variant::Quantiser* quant;
    std::uint8_t* plane;
};

template <class Variant>
struct FrameDecoding {
    BitReader& reader;
    FrameParams& frame;
    ScanParams& scan;
    const DecoderKernels kernels;
    int mcuColumns;
    ScanComponent<Variant> components[kScanComponents];
};

// endsRow: the MCU is the last of its row, so the next one starts 8·v rows further down.
template <class Variant, class Refill>
void DecodeMcu(FrameDecoding<Variant>& d, bool endsRow) {
    using Coefficient = typename Variant::Coefficient;
    // A local reader and blocks let the compiler keep the bit buffer in registers: nothing
    // else can point at them. One working block a block of the MCU, cleared together: one
    // clearing of 4 x 64 entries costs less than four of 64.
    //
    // All four blocks are decoded before any is transformed, so that the transform's wide
    // loads do not meet the Huffman decoder's narrow stores still in flight (they cannot be
    // forwarded): the same instructions, a little faster at quality 90 (bench/NOTES.md).
    BitReader reader = d.reader;
    alignas(16) Coefficient blocks[kBlocksPerMcu][64];
    std::memset(blocks, 0, sizeof blocks);
    using Place = typename Variant::Place;
    Place places[kBlocksPerMcu];
    Place* place = places;
    Coefficient* block = blocks[0];
    for (int i = 0; i < kScanComponents; ++i) {
        const ScanComponent<Variant> sc = d.components[i];  // a copy: its fields stay in registers
        std::int32_t predictor = d.scan.dcPredictor[i];
        for (int j = 0; j < sc.v; ++j) {
            for (int k = 0; k < sc.h; ++k) {
                predictor = DecodeDc<Refill>(reader, sc.dc, predictor);
                block[0] = static_cast<Coefficient>(predictor);  // cut to 16 bits when packed
                const bool dcOnly = DecodeAc<Refill>(reader, sc.ac, block);

                const std::int32_t at = d.frame.mcuPos[sc.id] + 8 * sc.width * j + 8 * k;
                if (dcOnly) {
                    FillBlock(Variant::DcOnlySample(block[0], sc.quant[0]), sc.plane + at,
                              sc.width);
                } else {
                    *place++ = {block, sc.quant, sc.plane + at, sc.width};
                }

                if (j == 0 && k == sc.h - 1) {
                    d.frame.nextMcuPos[sc.id] =
                        endsRow ? at + 8 + (8 * sc.v - 1) * sc.width : at + 8;
                }
                if (j == sc.v - 1 && k == sc.h - 1) {
                    d.frame.mcuPos[sc.id] = d.frame.nextMcuPos[sc.id];
                }
                block += 64;
            }
        }
        d.scan.dcPredictor[i] = predictor;
    }
    d.reader = reader;
    const Place* p = places;
    for (; place - p >= 2; p += 2) {
        Variant::TransformPair(d.kernels, p[0], p[1]);
    }
    if (p != place) {
        Variant::Transform(d.kernels, *p);
    }
}

template <class Variant>
bool DecodeMcus(DecoderContext& context, BitReader& reader, const McuRowSink* sink) {
    FrameParams& frame = *context.frame;
    ScanParams& scan = *context.scan;
    DecoderTables& tables = *context.tables;
    FrameDecoding<Variant> d{reader, frame, scan, context.kernels, frame.mcuColumns, {}};
    int blocksPerMcu = 0;
    for (int i = 0; i < kScanComponents; ++i) {
        const int id = scan.componentIds[i];
        const int t = scan.tableSelector[i];
        auto quant = Variant::Quant(tables, frame.quantSelector[id]);
        if (quant == nullptr || !tables.dcTables[t] || !tables.acTables[t]) {
            return false;
        }
        d.components[i] = {id,
                           frame.hSampling[id],
                           frame.vSampling[id],
                           frame.componentWidth[id],
                           {tables.dcCodeCounts[t], tables.dcTables[t]},
                           {tables.acCodeCounts[t], tables.acTables[t]},
                           quant,
                           context.planes.get() + frame.planeOffset[id]};
        frame.mcuPos[id] = 0;
        scan.dcPredictor[i] = 0;
        blocksPerMcu += frame.hSampling[id] * frame.vSampling[id];
    }
    if (blocksPerMcu != kBlocksPerMcu) {
        return false;  // not the fixed 4:2:2 layout the working blocks are sized for
    }
    const int rowsPerMcuRow = 8 * frame.maxV;
    int firstRow = 0;  // the first picture row of the row of MCUs being decoded
    for (int mcuCounter = 0, column = 0; mcuCounter < context.mcuCount; ++mcuCounter) {
        const bool endsRow = ++column == d.mcuColumns;
        if (endsRow) {
            column = 0;
        }
        if (reader.BytesUnfetched() >= kFastMcuBytes) {
            DecodeMcu<Variant, FastRefill>(d, endsRow);
        } else {
            DecodeMcu<Variant, CarefulRefill>(d, endsRow);
        }
        if (endsRow && sink != nullptr) {
            sink->rowsDecoded(sink->state, firstRow,
                              std::min(rowsPerMcuRow, frame.height - firstRow));
            firstRow += rowsPerMcuRow;
        }
    }
    return true;
}

// Only the sizes whose blocks all land inside the planes are decoded; the records must
// match them (a context built by InitDecoder or ResetDecoder always does).
bool Decodable(const DecoderContext& context) {
    if (!context.tables || !context.frame || !context.scan || !context.planes) {
        return false;
    }
    const FrameParams& frame = *context.frame;
    return PictureSizeSupported(frame.width, frame.height) &&
           context.mcuCount == frame.mcuColumns * frame.mcuRows &&
           context.scan->componentCount == kScanComponents;
}

bool EndMarkerAt(const std::uint8_t* data, std::int32_t length, std::int64_t position) {
    return position >= 0 && position + 2 <= length && data[position] == kEndMarker[0] &&
           data[position + 1] == kEndMarker[1];
}

PlanesResult DecodeFrameRows(DecoderContext& context, const std::uint8_t* data, std::int32_t length,
                             const McuRowSink* sink) {
    if (!Decodable(context)) {
        return {};
    }
    BitSource readerSource(data, length);
    BitReader reader(readerSource);
    const bool decoded = context.variant == DecoderVariant::kPacked
                             ? DecodeMcus<PackedVariant>(context, reader, sink)
                             : DecodeMcus<ScalarVariant>(context, reader, sink);
    return {decoded && EndMarkerAt(data, length, reader.Position()), readerSource.invalidCodeMet};
}

}  // namespace

PlanesResult DecodeFramePlanes(DecoderContext& context, const std::uint8_t* data,
                               std::int32_t length) {
    return DecodeFrameRows(context, data, length, nullptr);
}

PlanesResult DecodeFramePlanes(DecoderContext& context, const std::uint8_t* data,
                               std::int32_t length, const McuRowSink& sink) {
    return DecodeFrameRows(context, data, length, &sink);
}

}  // namespace orvik
