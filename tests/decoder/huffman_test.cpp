// The fixed Huffman tables and the block decoding over them, held to the listed codes and to
// the bit-by-bit reference: every 16-bit window of every table, hand-made blocks, random
// streams and the coded data of a generated frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "decoder/bit_reader.h"
#include "decoder/decoder_context.h"
#include "decoder/decoder_tables.h"
#include "decoder/default_huffman_tables.h"
#include "decoder/huffman_decode.h"
#include "decoder/huffman_tables.h"
#include "decoder/zigzag.h"
#include "testing/decoder/bit_builder.h"
#include "testing/decoder/bitwise_reference.h"
#include "testing/decoder/decoder_fixtures.h"

namespace orvik {
namespace {

using testing::BitBuilder;

DecoderTables FixedTables() {
    DecoderTables tables;
    BuildHuffmanTables(tables);
    return tables;
}

struct TableRef {
    const char* name;
    bool dc;
    int slot;
};
constexpr TableRef kTables[] = {
    {"DC 0", true, 0}, {"AC 0", false, 0}, {"DC 1", true, 1}, {"AC 1", false, 1}};

const HuffmanCodeCounts& CodeCountsOf(const DecoderTables& t, const TableRef& r) {
    return r.dc ? *t.dcCodeCounts[r.slot] : *t.acCodeCounts[r.slot];
}
const HuffmanDecodeTable& TableOf(const DecoderTables& t, const TableRef& r) {
    return r.dc ? *t.dcTables[r.slot] : *t.acTables[r.slot];
}

TEST(HuffmanTables, DefaultTablesHoldFourTablesIn348Bytes) {
    const DecoderTables tables = FixedTables();
    EXPECT_EQ(DefaultHuffmanTables.size(), 348u);
    EXPECT_EQ(tables.dcTableCount, 2);
    EXPECT_EQ(tables.acTableCount, 2);
    for (const TableRef& r : kTables) {
        int symbols = 0;
        for (int length = 1; length <= 16; ++length) {
            symbols += CodeCountsOf(tables, r).counts[length];
        }
        EXPECT_EQ(symbols, r.dc ? 10 : 130) << r.name;
    }
}

// The fixed tables are read once: contexts of either variant, and a context after a rebuild,
// all point at the same copy, and the slots DefaultHuffmanTables does not name stay empty.
TEST(HuffmanTables, EveryContextSharesOneCopy) {
    DecoderContext packed(DecoderVariant::kPacked);
    DecoderContext scalar(DecoderVariant::kScalar);
    InitDecoder(packed, 640, 480);
    InitDecoder(scalar, 320, 240);
    for (const TableRef& r : kTables) {
        EXPECT_EQ(&TableOf(*packed.tables, r), &TableOf(*scalar.tables, r)) << r.name;
        EXPECT_EQ(&CodeCountsOf(*packed.tables, r), &CodeCountsOf(*scalar.tables, r)) << r.name;
    }
    const HuffmanDecodeTable* before = packed.tables->acTables[1];
    ResetDecoder(packed, 1280, 1024);
    EXPECT_EQ(packed.tables->acTables[1], before);
    for (int slot = 2; slot < kTableSlots; ++slot) {
        EXPECT_EQ(packed.tables->dcTables[slot], nullptr) << slot;
        EXPECT_EQ(packed.tables->acCodeCounts[slot], nullptr) << slot;
    }
}

TEST(HuffmanTables, DcTable0HasTheListedCodes) {
    const DecoderTables tables = FixedTables();
    const HuffmanDecodeTable& table = *tables.dcTables[0];
    EXPECT_EQ(table.maxLength, 8);
    EXPECT_EQ(table.maxCode[1], -1);
    const char* codes[] = {"00",   "01",    "100",    "101",     "110",
                           "1110", "11110", "111110", "1111110", "11111110"};
    for (int symbol = 0; symbol < 10; ++symbol) {
        const std::string code = codes[symbol];
        const std::vector<std::uint8_t> data =
            BitBuilder().Text(code).Text("0000000000000000").StuffedBytes();
        BitSource readerSource(data.data(), static_cast<std::int32_t>(data.size()));
        BitReader reader(readerSource);
        reader.RefillCareful();
        EXPECT_EQ(DecodeHuffman(reader, *tables.dcCodeCounts[0], table), symbol) << code;
        EXPECT_EQ(reader.BitsBuffered(), 64 - static_cast<int>(code.size())) << code;
        EXPECT_FALSE(readerSource.invalidCodeMet) << code;
    }
}

// Each table leaves out exactly one code, all 1-bits at its longest length, which costs 16
// bits, gives symbol 0 and is noted as invalid; every other 16-bit window decodes as the reference
// does.
TEST(HuffmanTables, EveryWindowDecodesAsTheBitwiseSearch) {
    const DecoderTables tables = FixedTables();
    for (const TableRef& r : kTables) {
        int invalid = 0;
        for (std::uint32_t window = 0; window < 65536; ++window) {
            const std::vector<std::uint8_t> data =
                BitBuilder().Bits(window, 16).Bits(0, 16).StuffedBytes();
            const auto length = static_cast<std::int32_t>(data.size());
            BitSource readerSource(data.data(), length);
            BitReader reader(readerSource);
            reader.RefillCareful();
            const int symbol = DecodeHuffman(reader, CodeCountsOf(tables, r), TableOf(tables, r));
            testing::BitwiseReader reference(data.data(), length);
            const testing::BitwiseResult want = testing::BitwiseDecodeHuffman(
                reference, CodeCountsOf(tables, r), TableOf(tables, r));
            ASSERT_EQ(symbol, want.symbol) << r.name << " window " << window;
            ASSERT_EQ(readerSource.invalidCodeMet, want.invalid) << r.name << " window " << window;
            ASSERT_EQ(reader.Position(), reference.Position()) << r.name << " window " << window;
            ASSERT_EQ(reader.BitsBuffered() % 8, reference.BitsLeft())
                << r.name << " window " << window;
            invalid += want.invalid ? 1 : 0;
        }
        const int maxLength = TableOf(tables, r).maxLength;
        EXPECT_EQ(invalid, 1 << (16 - maxLength))
            << r.name << ": only the all-ones code is missing";
    }
}

struct DecodedBlock {
    std::int32_t predictor;
    std::int32_t coefficients[64];
    int bitsConsumed;
    bool invalidCodeMet;
};

// Decodes one block with the library's DecodeDc/DecodeAc in the packed (16-bit) and scalar
// (32-bit) block forms, and checks both against the reference.
DecodedBlock DecodeOneBlock(const std::vector<std::uint8_t>& data, int slot,
                            std::int32_t predictor) {
    const DecoderTables tables = FixedTables();
    const HuffmanPair dc{tables.dcCodeCounts[slot], tables.dcTables[slot]};
    const HuffmanPair ac{tables.acCodeCounts[slot], tables.acTables[slot]};
    const auto length = static_cast<std::int32_t>(data.size());

    BitSource wideSource(data.data(), length);

    BitReader wide(wideSource);
    std::int32_t block32[64] = {};
    block32[0] = DecodeDc<CarefulRefill>(wide, dc, predictor);
    DecodeAc<CarefulRefill>(wide, ac, block32);

    BitSource narrowSource(data.data(), length);

    BitReader narrow(narrowSource);
    std::int16_t block16[64] = {};
    const std::int32_t predictor16 = DecodeDc<CarefulRefill>(narrow, dc, predictor);
    DecodeAc<CarefulRefill>(narrow, ac, block16);

    testing::BitwiseReader reference(data.data(), length);
    const testing::BitwiseBlock want =
        testing::BitwiseDecodeBlock(reference, tables, slot, predictor);
    EXPECT_EQ(block32[0], want.predictor);
    EXPECT_EQ(predictor16, want.predictor);
    for (int i = 1; i < 64; ++i) {
        EXPECT_EQ(block32[i], want.coefficients[i]) << "entry " << i;
        EXPECT_EQ(block16[i], want.coefficients[i]) << "entry " << i;
    }
    EXPECT_EQ(wide.Position(), reference.Position());
    EXPECT_EQ(narrow.Position(), reference.Position());
    EXPECT_EQ(wideSource.invalidCodeMet, want.invalidCode);
    EXPECT_EQ(narrowSource.invalidCodeMet, want.invalidCode);

    DecodedBlock out{block32[0], {}, 0, wideSource.invalidCodeMet};
    std::copy(std::begin(block32), std::end(block32), std::begin(out.coefficients));
    // Coded bytes up to the position (a stuffed pair is one), less the unread bits of the last.
    int codedBytes = 0;
    for (std::int64_t at = 0; at < wide.Position(); ++at, ++codedBytes) {
        if (at < length && data[at] == 0xFF) {
            ++at;
        }
    }
    out.bitsConsumed = 8 * codedBytes - wide.BitsBuffered() % 8;
    return out;
}

TEST(BlockDecoding, HandMadeBlocks) {
    const DecoderTables t = FixedTables();
    auto dc = [&](int slot) -> std::pair<const HuffmanCodeCounts&, const HuffmanDecodeTable&> {
        return {*t.dcCodeCounts[slot], *t.dcTables[slot]};
    };
    auto ac = [&](int slot) -> std::pair<const HuffmanCodeCounts&, const HuffmanDecodeTable&> {
        return {*t.acCodeCounts[slot], *t.acTables[slot]};
    };
    auto code = [](BitBuilder& b,
                   std::pair<const HuffmanCodeCounts&, const HuffmanDecodeTable&> table,
                   int symbol) { b.Code(table.first, table.second, symbol); };

    {
        // Category 0 keeps the predictor; end of block with table 0 is 1010, with table 1 00.
        BitBuilder b0;
        b0.Text("00").Text("1010");
        const DecodedBlock block0 = DecodeOneBlock(b0.StuffedBytes(), 0, 37);
        EXPECT_EQ(block0.predictor, 37);
        EXPECT_EQ(block0.bitsConsumed, 6);
        BitBuilder b1;
        code(b1, dc(1), 0);
        b1.Text("00");
        const DecodedBlock block1 = DecodeOneBlock(b1.StuffedBytes(), 1, -5);
        EXPECT_EQ(block1.predictor, -5);
        EXPECT_EQ(block1.bitsConsumed, 3);
    }
    {
        // DC difference of category 3 with value bits 010 is -5; 0xF0 skips sixteen zeros,
        // then (0, 2) with value bits 11 puts 3 at zigzag index 17.
        BitBuilder b;
        code(b, dc(0), 3);
        b.Text("010");
        code(b, ac(0), 0xF0);
        code(b, ac(0), 0x02);
        b.Text("11");
        code(b, ac(0), 0x00);
        const DecodedBlock block = DecodeOneBlock(b.StuffedBytes(), 0, 100);
        EXPECT_EQ(block.predictor, 95);
        EXPECT_EQ(block.coefficients[ZigzagToNatural[17]], 3);
        EXPECT_EQ(block.bitsConsumed, b.BitCount());
    }
    {
        // A coefficient at zigzag index 63 ends the block without an end-of-block code.
        BitBuilder b;
        code(b, dc(1), 0);
        for (int i = 0; i < 3; ++i) {
            code(b, ac(1), 0xF1);  // 15 zeros, then value bit 1: indices 16, 32, 48
            b.Text("1");
        }
        code(b, ac(1), 0xD1);  // 13 zeros: index 62
        b.Text("0");
        code(b, ac(1), 0x01);  // index 63
        b.Text("1");
        const int used = b.BitCount();
        b.Text("0000");  // would be an end of block if it were read
        const DecodedBlock block = DecodeOneBlock(b.StuffedBytes(), 1, 0);
        EXPECT_EQ(block.coefficients[ZigzagToNatural[62]], -1);
        EXPECT_EQ(block.coefficients[ZigzagToNatural[63]], 1);
        EXPECT_EQ(block.bitsConsumed, used);
    }
    {
        // A run past index 63 ends the block there; its value bits stay unread.
        BitBuilder b;
        code(b, dc(0), 0);
        for (int i = 0; i < 3; ++i) {
            code(b, ac(0), 0xF1);
            b.Text("1");
        }
        code(b, ac(0), 0xF1);  // from index 49, 15 zeros run past 63
        const int used = b.BitCount();
        b.Text("1");
        const DecodedBlock block = DecodeOneBlock(b.StuffedBytes(), 0, 0);
        EXPECT_EQ(block.coefficients[ZigzagToNatural[48]], 1);
        EXPECT_EQ(block.bitsConsumed, used);
    }
}

// Every AC shortcut window, at the first AC index and after index 48 (where runs of 15 pass
// the block's end), decodes as the reference: same coefficients, position and status.
TEST(BlockDecoding, EveryShortcutWindowDecodesAsTheReference) {
    const DecoderTables t = FixedTables();
    for (const int slot : {0, 1}) {
        for (const int skips : {0, 3}) {
            for (std::uint32_t prefix = 0; prefix < (1u << kLookaheadBits); ++prefix) {
                BitBuilder b;
                b.Code(*t.dcCodeCounts[slot], *t.dcTables[slot], 0);
                for (int i = 0; i < skips; ++i) {
                    b.Code(*t.acCodeCounts[slot], *t.acTables[slot], 0xF1).Text("1");
                }
                b.Bits(prefix, kLookaheadBits).Bits(prefix * 37, 6);
                SCOPED_TRACE("slot " + std::to_string(slot) + ", skips " + std::to_string(skips) +
                             ", window " + std::to_string(prefix));
                DecodeOneBlock(b.StuffedBytes(), slot, 0);
            }
        }
    }
}

// Two short codes whose value bits follow within one window come out of one look-up: the
// first coefficient, the second after its run, and the bits of both. (The window test above
// holds every entry to the reference; this one holds the pairing itself.)
TEST(BlockDecoding, TwoShortCodesInAWindowTakeOneLookUp) {
    const DecoderTables t = FixedTables();
    const HuffmanCodeCounts& counts = *t.acCodeCounts[0];
    const HuffmanDecodeTable& table = *t.acTables[0];
    BitBuilder b;
    b.Code(counts, table, 0x01).Text("0").Code(counts, table, 0x11).Text("1");
    const int used = b.BitCount();
    b.Bits(0, 16);
    const std::vector<std::uint8_t> bytes = b.StuffedBytes();
    const AcShortcut shortcut =
        table.acShortcuts[(bytes[0] << 8 | bytes[1]) >> (16 - kLookaheadBits)];
    EXPECT_EQ(ShortcutLength(shortcut), used);
    EXPECT_EQ(ShortcutRun(shortcut), 0);
    EXPECT_EQ(ShortcutLastPlace(shortcut), 2);  // the second after one zero
    EXPECT_EQ(ShortcutValue(shortcut), -1);
    EXPECT_EQ(ShortcutLastValue(shortcut), 1);
}

TEST(BlockDecoding, InvalidCodeGivesSymbolZeroAndIsNoted) {
    for (const int slot : {0, 1}) {
        // DC: a valid category 1 difference; AC: sixteen 1-bits, no code of either AC table.
        BitBuilder b;
        const DecoderTables t = FixedTables();
        b.Code(*t.dcCodeCounts[slot], *t.dcTables[slot], 1)
            .Text("1")
            .Text("1111111111111111")
            .Text("0101");
        const DecodedBlock block = DecodeOneBlock(b.StuffedBytes(), slot, 0);
        EXPECT_TRUE(block.invalidCodeMet) << "slot " << slot;
        EXPECT_EQ(block.predictor, 1);
        EXPECT_EQ(block.bitsConsumed, b.BitCount() - 4) << "the invalid code costs 16 bits";
        for (int i = 1; i < 64; ++i) {
            EXPECT_EQ(block.coefficients[i], 0) << "an invalid AC code ends the block";
        }
    }
}

// Frame-length block sequences as the MCU loop decodes them: fast refill while a whole MCU's
// worth of bytes lies ahead, careful refill for the tail. Returns the final position; dcOnly
// gets what DecodeAc told of each block.
std::int64_t DecodeLikeTheMcuLoop(const std::uint8_t* data, std::int32_t length, int mcus,
                                  const DecoderTables& tables, std::vector<std::int32_t>& out,
                                  std::vector<bool>& dcOnly, bool& invalidCodeMet) {
    BitSource readerSource(data, length);
    BitReader reader(readerSource);
    std::int32_t predictors[3] = {0, 0, 0};
    constexpr int kSlot[4] = {0, 0, 1, 1};
    constexpr int kComponent[4] = {0, 0, 1, 2};
    for (int mcu = 0; mcu < mcus; ++mcu) {
        const bool fast = reader.BytesUnfetched() >= kFastMcuBytes;
        for (int b = 0; b < 4; ++b) {
            const HuffmanPair dc{tables.dcCodeCounts[kSlot[b]], tables.dcTables[kSlot[b]]};
            const HuffmanPair ac{tables.acCodeCounts[kSlot[b]], tables.acTables[kSlot[b]]};
            std::int32_t block[64] = {};
            std::int32_t& p = predictors[kComponent[b]];
            p = fast ? DecodeDc<FastRefill>(reader, dc, p) : DecodeDc<CarefulRefill>(reader, dc, p);
            block[0] = p;
            dcOnly.push_back(fast ? DecodeAc<FastRefill>(reader, ac, block)
                                  : DecodeAc<CarefulRefill>(reader, ac, block));
            out.insert(out.end(), std::begin(block), std::end(block));
        }
    }
    invalidCodeMet = readerSource.invalidCodeMet;
    return reader.Position();
}

void ExpectSameAsReference(const std::vector<std::uint8_t>& data, std::int32_t length, int mcus,
                           const std::string& what) {
    const DecoderTables tables = FixedTables();
    std::vector<std::int32_t> have;
    std::vector<bool> dcOnly;
    bool sawInvalid = false;
    const std::int64_t position =
        DecodeLikeTheMcuLoop(data.data(), length, mcus, tables, have, dcOnly, sawInvalid);
    const testing::BitwiseFrame want =
        testing::BitwiseDecodeFrame(data.data(), length, mcus, tables);
    ASSERT_EQ(have.size(), want.blocks.size() * 64) << what;
    bool anyInvalid = false;
    for (std::size_t b = 0; b < want.blocks.size(); ++b) {
        anyInvalid = anyInvalid || want.blocks[b].invalidCode;
        const std::int32_t* ac = want.blocks[b].coefficients + 1;
        ASSERT_TRUE(!dcOnly[b] || std::all_of(ac, ac + 63, [](std::int32_t c) { return c == 0; }))
            << what << ", block " << b << " told DC-only";
        for (int i = 0; i < 64; ++i) {
            ASSERT_EQ(have[64 * b + i], want.blocks[b].coefficients[i])
                << what << ", block " << b << ", entry " << i;
        }
    }
    EXPECT_EQ(position, want.endPosition) << what;
    EXPECT_EQ(sawInvalid, anyInvalid) << what;
}

TEST(BlockDecoding, RandomStreamsDecodeAsTheReference) {
    std::mt19937 random(99);
    for (int trial = 0; trial < 40; ++trial) {
        const std::vector<std::uint8_t> data = testing::RandomCodedBytes(random, 6000, 1, 1, 32);
        const int mcus = std::uniform_int_distribution<int>(1, 120)(random);
        ExpectSameAsReference(data, static_cast<std::int32_t>(data.size()), mcus,
                              "trial " + std::to_string(trial));
    }
}

TEST(BlockDecoding, GeneratedFrameDecodesAsTheReferenceAndEndsAtItsMarker) {
    for (const int quality : {30, 95}) {
        const testing::TestFrame frame = testing::MakeFrame(160, 64, quality, 5);
        const int mcus = (160 / 16) * (64 / 8);
        const std::vector<std::uint8_t> coded(frame.CodedData(),
                                              frame.CodedData() + frame.CodedLength());
        ExpectSameAsReference(coded, frame.CodedLength(), mcus,
                              "quality " + std::to_string(quality));
        const DecoderTables tables = FixedTables();
        const testing::BitwiseFrame want =
            testing::BitwiseDecodeFrame(coded.data(), frame.CodedLength(), mcus, tables);
        EXPECT_EQ(want.endPosition, frame.CodedLength() - 2)
            << "the end marker follows the last MCU";
    }
}

}  // namespace
}  // namespace orvik
