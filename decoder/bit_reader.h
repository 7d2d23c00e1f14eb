// BitReader: the entropy-coded bits of one frame, first bit most significant, with the
// byte stuffing undone: 0xFF 0x00 is the data byte 0xFF, and 0xFF xx (xx not 0) is the data
// byte xx, both bytes consumed. Nothing inside the coded data is a marker.
//
// It never reads at or past `length`. Past the end it yields zero bytes, and counts them
// in Position() as if they were there, so a frame that ran out of data ends beyond its
// length and fails the end test.
//
// Bytes are fetched ahead into a 64-bit buffer, but Position() is that of a reader that
// fetches each byte only when its first bit is needed: just past the byte that held the
// last bit consumed. Each buffered byte remembers whether it took one source byte or two.
//
// The reader is split in two: the BitSource (the data and how far it has been fetched) and
// the BitReader itself, a copyable window of buffered bits that points at its source. The
// out-of-line refill takes the window by value, so a BitReader held in a local never has
// its address taken and its bit buffer stays in registers in the decoding loops.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvik {

struct BitSource {
    BitSource(const std::uint8_t* data, std::int32_t length)
        : data(data), length(length < 0 ? 0 : length) {}

    const std::uint8_t* data;
    std::int64_t length;
    std::int64_t fetched = 0;  // source bytes taken into the buffer, zero bytes past the end too
    std::uint64_t stuffedHistory = 0;  // bit i: the i-th newest buffered byte was a pair
    bool invalidCodeMet = false;       // a code matched no code of its table (read as symbol 0)
};

// The bits buffered and not yet consumed.
struct BitWindow {
    std::uint64_t bits = 0;  // left-aligned
    int count = 0;
};

// Tops the window up to kBitsAfterRefill or more bits. FillFast needs kRefillReach source
// bytes ahead and checks nothing; FillCareful works anywhere. FillFast is inline: its common
// case, no 0xFF among the next bytes, is one load and a shift, where a call cost the MCU loop
// its registers (bench/NOTES.md); the bytes around a 0xFF are pushed one at a time out of
// line (FillStuffed).
inline BitWindow FillFast(BitSource& source, BitWindow window);
BitWindow FillStuffed(BitSource& source, BitWindow window);
BitWindow FillCareful(BitSource& source, BitWindow window);

class BitReader {
  public:
    // Source bytes FillFast may read beyond the next unfetched one: 8 coded bytes, each of
    // which may be a stuffed pair.
    static constexpr int kRefillReach = 16;
    // Bits buffered after any refill: the buffer is topped up a whole byte at a time.
    static constexpr int kBitsAfterRefill = 57;

    explicit BitReader(BitSource& source) : source_(&source) {}

    int BitsBuffered() const { return window_.count; }

    // The next n bits (1..32), first bit most significant; needs BitsBuffered() >= n.
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(window_.bits >> (64 - n)); }
    // Drops the next n bits (1..63); needs BitsBuffered() >= n.
    void Consume(int n) {
        window_.bits <<= n;
        window_.count -= n;
    }
    std::uint32_t Take(int n) {
        const std::uint32_t value = Peek(n);
        Consume(n);
        return value;
    }

    // Source bytes from the next unfetched one to the end (negative past the end).
    std::int64_t BytesUnfetched() const { return source_->length - source_->fetched; }

    void NoteInvalidCode() { source_->invalidCodeMet = true; }

    void RefillFast() { window_ = FillFast(*source_, window_); }
    void RefillCareful() { window_ = FillCareful(*source_, window_); }

    // Index of the next source byte a byte-at-a-time reader would read.
    std::int64_t Position() const;

  private:
    BitSource* source_;
    BitWindow window_;
};

// Refill policies for the MCU loop: the fast one while enough source bytes lie ahead for a
// whole MCU, the careful one for the tail.
struct FastRefill {
    static void Ensure(BitReader& reader, int bits) {
        if (reader.BitsBuffered() < bits) {
            reader.RefillFast();
        }
    }
};
struct CarefulRefill {
    static void Ensure(BitReader& reader, int bits) {
        if (reader.BitsBuffered() < bits) {
            reader.RefillCareful();
        }
    }
};

// The eight bytes at `at`, first byte most significant: one load and a byte swap.
inline std::uint64_t LoadBigEndian64(const std::uint8_t* at) {
    std::uint64_t value = 0;
    std::memcpy(&value, at, sizeof value);
    if constexpr (std::endian::native == std::endian::little) {
        value = __builtin_bswap64(value);
    }
    return value;
}

// True when some byte of word is 0xFF.
inline bool HasFfByte(std::uint64_t word) {
    const std::uint64_t inverted = ~word;  // 0xFF bytes become zero bytes
    return ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
}

inline BitWindow FillFast(BitSource& source, BitWindow window) {
    if (window.count > 56) {
        return window;
    }
    // Take as many whole bytes as fit with one load and one shift.
    const int room = (64 - window.count) >> 3;  // 1..8 whole bytes
    const std::uint64_t word =
        LoadBigEndian64(source.data + source.fetched) & (~0ull << (64 - 8 * room));
    if (HasFfByte(word)) [[unlikely]] {
        return FillStuffed(source, window);
    }
    window.bits |= word >> window.count;
    window.count += 8 * room;
    source.fetched += room;
    source.stuffedHistory <<= room;
    return window;
}

}  // namespace orvik
