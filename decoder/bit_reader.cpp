#include "decoder/bit_reader.h"

#include <bit>

namespace orvik {
namespace {

// The compiler turns this into one load and a byte swap.
std::uint64_t LoadBigEndian64(const std::uint8_t* at) {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = (value << 8) | at[i];
    }
    return value;
}

// True when some byte of word is 0xFF.
bool HasFfByte(std::uint64_t word) {
    const std::uint64_t inverted = ~word;  // 0xFF bytes become zero bytes
    return ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
}

}  // namespace

template <bool kChecked>
void BitReader::FillByteByByte() {
    auto next = [this]() -> std::uint32_t {
        const std::int64_t at = fetched_++;
        if constexpr (kChecked) {
            return at < length_ ? data_[at] : 0u;
        } else {
            return data_[at];
        }
    };
    while (count_ <= 56) {
        const std::uint32_t byte = next();
        if (byte != 0xFF) {
            Push(byte, false);
            continue;
        }
        const std::uint32_t second = next();
        Push(second == 0 ? 0xFFu : second, true);
    }
}

void BitReader::RefillFast() {
    if (count_ > 56) {
        return;
    }
    // Most of the data has no 0xFF among the next bytes: take as many whole bytes as fit
    // with one load and one shift.
    const int room = (64 - count_) >> 3;  // 1..8 whole bytes
    const std::uint64_t word = LoadBigEndian64(data_ + fetched_) & (~0ull << (64 - 8 * room));
    if (HasFfByte(word)) {
        FillByteByByte<false>();
        return;
    }
    bits_ |= word >> count_;
    count_ += 8 * room;
    fetched_ += room;
    stuffedHistory_ <<= room;
}

void BitReader::RefillCareful() {
    if (BytesUnfetched() >= kRefillReach) {
        RefillFast();
    } else {
        FillByteByByte<true>();
    }
}

std::int64_t BitReader::Position() const {
    const int unreadBytes = count_ >> 3;  // whole bytes not one bit of which was consumed
    if (unreadBytes == 0) {
        return fetched_;
    }
    const std::uint64_t newest = ~0ull >> (64 - unreadBytes);
    return fetched_ - unreadBytes - std::popcount(stuffedHistory_ & newest);
}

}  // namespace orvik
