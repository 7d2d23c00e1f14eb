// The DC-only pass. Each MCU holds, in coded order, Y block (0,0), Y block (0,1), the U block
// and the V block. A Y block's DC difference moves the luma predictor, whose DC-only sample
// is stored; the U and V DC codes are stepped over with their value bits. Every block's AC
// codes are then stepped over: a code and its value bits cost their length and nothing else,
// several at a time through the AC skip table, and the block ends exactly where
// DecodeAc ends it (end of block, position 63 passed, or a run that runs past 63 with its
// value bits unread), so each block starts on the same bit as in the full decoder.
//
// As in the full decoder, an MCU that starts with enough source bytes ahead for any MCU runs
// with the unchecked refill, the tail with the careful one, and the bit reader is a local of
// the MCU step so that its bit buffer stays in registers.
#include "decoder/dc_only.h"

#include "decoder/ac_skip_table.h"
#include "decoder/bit_reader.h"
#include "decoder/decoder_tables.h"
#include "decoder/frame_format.h"
#include "decoder/huffman_decode.h"
#include "decoder/idct_packed.h"
#include "decoder/idct_scalar.h"

namespace orvik {
namespace {

constexpr int kScanComponents = 3;
constexpr int kLevelShift = 128;
constexpr int kMaxSample = 255;

struct DcComponent {
    int h;
    int v;
    HuffmanPair dc;
    HuffmanPair ac;
    const AcSkipTable* acSkip;     // entries from an AC code on
    const AcSkipTable* blockSkip;  // entries from the DC code on
};

// What the pass needs of the frame, looked up once.
struct DcFrame {
    DcComponent components[kScanComponents];  // scan order; the first is Y
    DecoderVariant variant;
    std::int32_t lumaQuantiser;  // the DC entry of Y's quantisation table
    int columns;                 // DC samples a row
};

// The sample a block holding only this DC decodes to, as the variant's transform gives it.
template <DecoderVariant kVariant>
[[gnu::always_inline]] inline std::uint8_t DcSample(std::int32_t predictor,
                                                    std::int32_t quantiser) {
    if constexpr (kVariant == DecoderVariant::kPacked) {
        return PackedDcOnlySample(static_cast<std::int16_t>(predictor),
                                  static_cast<std::int16_t>(quantiser));
    } else {
        return ScalarDcOnlySample(predictor, quantiser, kLevelShift, kMaxSample);
    }
}

// A block's AC codes and value bits, ending where DecodeAc ends the block: whole windows of
// codes through the skip table while they stay within the block, one code at a time else.
template <class Refill>
[[gnu::always_inline]] inline void SkipAc(BitReader& reader, const HuffmanPair& ac,
                                          const AcSkipTable& skip, int k = 1) {
    for (;;) {
        Refill::Ensure(reader, kMaxSymbolBits);
        const AcSkipEntry entry = skip.entries[reader.Peek(kSkipBits)];
        const int moved = k + SkipPlaces(entry);
        if (moved <= kMaxCoefficientIndex + 1) {
            reader.Consume(SkipLength(entry));
            if (SkipEndsBlock(entry) || moved > kMaxCoefficientIndex) {
                return;
            }
            k = moved;
            continue;
        }
        const int symbol = DecodeHuffman(reader, *ac.codeCounts, *ac.table);
        const int run = symbol >> 4;
        const int size = symbol & 0x0F;
        if (size != 0) {
            k += run;
            if (k > kMaxCoefficientIndex) {
                return;  // a run past the block ends it; its value bits are not read
            }
            reader.Consume(size);
            ++k;
        } else if (run == 15) {
            k += 16;  // sixteen zeros
        } else {
            return;  // end of block
        }
        if (k > kMaxCoefficientIndex) {
            return;
        }
    }
}

// A whole block of a component whose DC value is not wanted: its DC code, value bits and
// AC codes, most often in one look-up of the block skip table (a chroma block at usual
// qualities is a short DC code and value and the end of block).
template <class Refill>
[[gnu::always_inline]] inline void SkipBlock(BitReader& reader, const DcComponent& c) {
    Refill::Ensure(reader, kMaxSymbolBits);
    const AcSkipEntry entry = c.blockSkip->entries[reader.Peek(kSkipBits)];
    const int moved = 1 + SkipPlaces(entry);
    if (moved <= kMaxCoefficientIndex + 1) {
        reader.Consume(SkipLength(entry));
        if (!SkipEndsBlock(entry) && moved <= kMaxCoefficientIndex) {
            SkipAc<Refill>(reader, c.ac, *c.acSkip, moved);
        }
        return;
    }
    const int size = DecodeHuffman(reader, *c.dc.codeCounts, *c.dc.table);
    if (size != 0) {
        reader.Consume(size);
    }
    SkipAc<Refill>(reader, c.ac, *c.acSkip);
}

// A Y block: its DC moves the predictor and its sample is stored.
template <class Refill, DecoderVariant kVariant>
[[gnu::always_inline]] inline void LumaBlock(const DcFrame& f, BitReader& reader,
                                             std::int32_t& predictor, std::uint8_t* out) {
    const DcComponent& luma = f.components[0];
    predictor = DecodeDc<Refill>(reader, luma.dc, predictor);
    *out = DcSample<kVariant>(predictor, f.lumaQuantiser);
    SkipAc<Refill>(reader, luma.ac, *luma.acSkip);
}

// One MCU of the layout every context is set up with: two Y blocks side by side, then U and
// V. Written out, it keeps the reader and the predictor in registers (measured: a tenth
// faster than the loops of AnyLayoutMcu at quality 90).
template <class Refill, DecoderVariant kVariant>
[[gnu::always_inline]] inline void FixedLayoutMcu(const DcFrame& f, BitReader& reader,
                                                  std::int32_t& predictor, std::uint8_t* out) {
    LumaBlock<Refill, kVariant>(f, reader, predictor, out);
    LumaBlock<Refill, kVariant>(f, reader, predictor, out + 1);
    SkipBlock<Refill>(reader, f.components[1]);
    SkipBlock<Refill>(reader, f.components[2]);
}

// One MCU of any other layout of four blocks: Y's blocks row by row, then the others'.
template <class Refill, DecoderVariant kVariant>
[[gnu::always_inline]] inline void AnyLayoutMcu(const DcFrame& f, BitReader& reader,
                                                std::int32_t& predictor, std::uint8_t* out) {
    const DcComponent& luma = f.components[0];
    for (int j = 0; j < luma.v; ++j) {
        for (int k = 0; k < luma.h; ++k) {
            LumaBlock<Refill, kVariant>(f, reader, predictor, out + j * f.columns + k);
        }
    }
    for (int i = 1; i < kScanComponents; ++i) {
        for (int b = 0; b < f.components[i].h * f.components[i].v; ++b) {
            SkipBlock<Refill>(reader, f.components[i]);
        }
    }
}

// Every MCU in raster order; the reader is this function's own, so that it stays in registers.
template <DecoderVariant kVariant, bool kFixedLayout>
void DecodeMcus(const DcFrame& f, int mcuCount, int mcuColumns, BitReader& sharedReader,
                std::uint8_t* out) {
    BitReader reader = sharedReader;
    const int lumaH = f.components[0].h;
    const int rowStep = f.columns * f.components[0].v;  // samples an MCU row down
    std::int32_t predictor = 0;
    std::uint8_t* rowStart = out;
    for (int mcu = 0, column = 0; mcu < mcuCount; ++mcu) {
        std::uint8_t* at = rowStart + column * lumaH;
        const bool fast = reader.BytesUnfetched() >= kFastMcuBytes;
        if constexpr (kFixedLayout) {
            fast ? FixedLayoutMcu<FastRefill, kVariant>(f, reader, predictor, at)
                 : FixedLayoutMcu<CarefulRefill, kVariant>(f, reader, predictor, at);
        } else {
            fast ? AnyLayoutMcu<FastRefill, kVariant>(f, reader, predictor, at)
                 : AnyLayoutMcu<CarefulRefill, kVariant>(f, reader, predictor, at);
        }
        if (++column == mcuColumns) {
            column = 0;
            rowStart += rowStep;
        }
    }
    sharedReader = reader;
}

bool FixedLayout(const DcFrame& f) {
    return f.components[0].h == 2 && f.components[0].v == 1 && f.components[1].h == 1 &&
           f.components[1].v == 1 && f.components[2].h == 1 && f.components[2].v == 1;
}

// The frame's description, when the full decoder would decode it: the same records, sizes,
// tables and block layout that DecodeFramePlanes asks for.
bool Describe(const DecoderContext& context, DcFrame& f) {
    if (!context.tables || !context.frame || !context.scan || !context.planes) {
        return false;
    }
    const FrameParams& frame = *context.frame;
    const ScanParams& scan = *context.scan;
    const DecoderTables& tables = *context.tables;
    if (!PictureSizeSupported(frame.width, frame.height) ||
        context.mcuCount != frame.mcuColumns * frame.mcuRows ||
        scan.componentCount != kScanComponents) {
        return false;
    }
    int blocksPerMcu = 0;
    for (int i = 0; i < kScanComponents; ++i) {
        const int id = scan.componentIds[i];
        const int t = scan.tableSelector[i];
        const int q = frame.quantSelector[id];
        const bool quantLoaded = context.variant == DecoderVariant::kPacked
                                     ? tables.quant16[q] != nullptr
                                     : tables.quant32[q] != nullptr;
        if (!quantLoaded || !tables.dcTables[t] || !tables.acTables[t]) {
            return false;
        }
        const HuffmanPair dc = {tables.dcCodeCounts[t], tables.dcTables[t]};
        const HuffmanPair ac = {tables.acCodeCounts[t], tables.acTables[t]};
        f.components[i] = {frame.hSampling[id], frame.vSampling[id],      dc, ac,
                           &AcSkipTableOf(ac),  &BlockSkipTableOf(dc, ac)};
        blocksPerMcu += frame.hSampling[id] * frame.vSampling[id];
    }
    if (blocksPerMcu != kBlocksPerMcu) {
        return false;
    }
    const int lumaSlot = frame.quantSelector[scan.componentIds[0]];
    f.variant = context.variant;
    f.lumaQuantiser = f.variant == DecoderVariant::kPacked ? (*tables.quant16[lumaSlot])[0]
                                                           : (*tables.quant32[lumaSlot])[0];
    f.columns = frame.mcuColumns * f.components[0].h;
    return true;
}

bool EndMarkerAt(const std::uint8_t* data, std::int32_t length, std::int64_t position) {
    return position >= 0 && position + 2 <= length && data[position] == 0xFF &&
           data[position + 1] == 0xD9;
}

}  // namespace

DcPictureSize LumaDcSize(const DecoderContext& context) {
    if (!context.frame) {
        return {};
    }
    return {context.frame->width / 8, context.frame->height / 8};
}

LumaDcResult DecodeLumaDc(const DecoderContext& context, const std::uint8_t* data,
                          std::int32_t length, std::uint8_t* out) {
    DcFrame f{};
    if (!Describe(context, f)) {
        return {};
    }
    BitSource source(data, length);
    BitReader reader(source);
    const int mcus = context.mcuCount;
    const int columns = context.frame->mcuColumns;
    const bool fixed = FixedLayout(f);
    if (f.variant == DecoderVariant::kPacked) {
        fixed ? DecodeMcus<DecoderVariant::kPacked, true>(f, mcus, columns, reader, out)
              : DecodeMcus<DecoderVariant::kPacked, false>(f, mcus, columns, reader, out);
    } else {
        fixed ? DecodeMcus<DecoderVariant::kScalar, true>(f, mcus, columns, reader, out)
              : DecodeMcus<DecoderVariant::kScalar, false>(f, mcus, columns, reader, out);
    }
    return {EndMarkerAt(data, length, reader.Position()), source.invalidCodeMet};
}

}  // namespace orvik
