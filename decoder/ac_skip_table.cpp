#include "decoder/ac_skip_table.h"

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace orvik {
namespace {

constexpr std::uint32_t kWindowMask = (1u << kSkipBits) - 1;

// The window's bits from bit `used` on, first bit most significant, in the 16 bits the
// decoding looks at; the bits beyond the window read 0, and a code reaching them is not taken.
std::uint32_t BitsFrom(std::uint32_t window, int used) {
    return ((window << used) & kWindowMask) << (kMaxCodeLength - kSkipBits);
}

LookaheadEntry LookaheadOf(const HuffmanDecodeTable& table, std::uint32_t bits) {
    return table.lookahead[bits >> (kMaxCodeLength - kLookaheadBits)];
}

AcSkipEntry Entry(int length, int places, bool endsBlock) {
    return static_cast<AcSkipEntry>(length | places << 6 | (endsBlock ? 1 : 0) << 13);
}

// The whole AC codes and value bits of the window from bit `used` on, as an entry.
AcSkipEntry WalkAcCodes(const HuffmanPair& ac, std::uint32_t window, int used) {
    int places = 0;
    for (;;) {
        const std::uint32_t bits = BitsFrom(window, used);
        const LookaheadEntry entry = LookaheadOf(*ac.table, bits);
        int length = CodeLength(entry);
        int symbol = Symbol(entry);
        if (length == 0) {
            const LongCode code = DecodeLongHuffman(*ac.codeCounts, *ac.table, bits);
            if (code.invalid) {
                break;
            }
            length = code.length;
            symbol = code.symbol;
        }
        const int run = symbol >> 4;
        const int size = symbol & 0x0F;
        if (used + length + size > kSkipBits) {
            break;
        }
        used += length + size;
        if (size != 0) {
            places += run + 1;
        } else if (run == 15) {
            places += 16;
        } else {
            return Entry(used, places + 1, true);
        }
    }
    return used == 0 ? Entry(0, kNoSkip, false) : Entry(used, places, false);
}

struct Built {
    const HuffmanDecodeTable* dc;  // none for an AC skip table
    const HuffmanDecodeTable* ac;
    std::unique_ptr<AcSkipTable> table;
};

// Built at the first call for its tables, under a lock, and kept for the run.
template <class MakeEntry>
const AcSkipTable& Kept(const HuffmanDecodeTable* dc, const HuffmanDecodeTable* ac,
                        MakeEntry makeEntry) {
    static std::mutex mutex;
    static std::vector<Built> built;
    const std::lock_guard lock(mutex);
    for (const Built& b : built) {
        if (b.dc == dc && b.ac == ac) {
            return *b.table;
        }
    }
    auto table = std::make_unique<AcSkipTable>();
    for (std::uint32_t window = 0; window <= kWindowMask; ++window) {
        table->entries[window] = makeEntry(window);
    }
    return *built.emplace_back(Built{dc, ac, std::move(table)}).table;
}

}  // namespace

AcSkipEntry SkipEntryOf(const HuffmanPair& ac, std::uint32_t window) {
    return WalkAcCodes(ac, window, 0);
}

AcSkipEntry BlockSkipEntryOf(const HuffmanPair& dc, const HuffmanPair& ac, std::uint32_t window) {
    const LookaheadEntry entry = LookaheadOf(*dc.table, BitsFrom(window, 0));
    const int dcBits = CodeLength(entry) + Symbol(entry);  // the symbol is the value's size
    if (CodeLength(entry) == 0 || dcBits > kSkipBits) {
        return Entry(0, kNoSkip, false);
    }
    return WalkAcCodes(ac, window, dcBits);
}

const AcSkipTable& AcSkipTableOf(const HuffmanPair& ac) {
    return Kept(nullptr, ac.table, [&ac](std::uint32_t w) { return SkipEntryOf(ac, w); });
}

const AcSkipTable& BlockSkipTableOf(const HuffmanPair& dc, const HuffmanPair& ac) {
    return Kept(dc.table, ac.table,
                [&dc, &ac](std::uint32_t w) { return BlockSkipEntryOf(dc, ac, w); });
}

}  // namespace orvik
