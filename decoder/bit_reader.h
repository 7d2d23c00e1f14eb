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
#pragma once

#include <cstdint>

namespace orvik {

class BitReader {
  public:
    // Source bytes that RefillFast may read beyond the next unfetched one: 8 coded bytes,
    // each of which may be a stuffed pair.
    static constexpr int kRefillReach = 16;
    // Bits buffered after any refill: the buffer is topped up a whole byte at a time.
    static constexpr int kBitsAfterRefill = 57;

    BitReader(const std::uint8_t* data, std::int32_t length)
        : data_(data), length_(length < 0 ? 0 : length) {}

    int BitsBuffered() const { return count_; }

    // The next n bits (1..32), first bit most significant; needs BitsBuffered() >= n.
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(bits_ >> (64 - n)); }
    // Drops the next n bits (1..63); needs BitsBuffered() >= n.
    void Consume(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    std::uint32_t Take(int n) {
        const std::uint32_t value = Peek(n);
        Consume(n);
        return value;
    }

    // Source bytes from the next unfetched one to the end (negative past the end).
    std::int64_t BytesUnfetched() const { return length_ - fetched_; }

    // Tops the buffer up to kBitsAfterRefill or more. RefillFast needs
    // BytesUnfetched() >= kRefillReach and checks nothing; RefillCareful works anywhere.
    void RefillFast();
    void RefillCareful();

    // Index of the next source byte a byte-at-a-time reader would read.
    std::int64_t Position() const;

  private:
    void Push(std::uint32_t byte, bool stuffed) {
        bits_ |= static_cast<std::uint64_t>(byte) << (56 - count_);
        count_ += 8;
        stuffedHistory_ = (stuffedHistory_ << 1) | (stuffed ? 1u : 0u);
    }
    // Pushes coded bytes until the buffer has no room for another; kChecked reads zero
    // bytes at and past the end instead of the data.
    template <bool kChecked>
    void FillByteByByte();

    const std::uint8_t* data_;
    std::int64_t length_;
    std::int64_t fetched_ =
        0;  // source bytes taken into the buffer, zero bytes past the end included
    std::uint64_t bits_ = 0;            // unread bits, left-aligned
    int count_ = 0;                     // number of unread bits
    std::uint64_t stuffedHistory_ = 0;  // bit i: the i-th newest buffered byte was a pair
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

}  // namespace orvik
