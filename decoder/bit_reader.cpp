#include "decoder/bit_reader.h"

#include <bit>

namespace orvik {
namespace {

// Pushes coded bytes until the window has no room for another; kChecked reads zero bytes
// at and past the end instead of the data.
template <bool kChecked>
BitWindow FillByteByByte(BitSource& source, BitWindow window) {
    auto next = [&source]() -> std::uint32_t {
        const std::int64_t at = source.fetched++;
        if constexpr (kChecked) {
            return at < source.length ? source.data[at] : 0u;
        } else {
            return source.data[at];
        }
    };
    while (window.count <= 56) {
        std::uint32_t byte = next();
        bool stuffed = false;
        if (byte == 0xFF) {
            const std::uint32_t second = next();
            byte = second == 0 ? 0xFFu : second;
            stuffed = true;
        }
        window.bits |= static_cast<std::uint64_t>(byte) << (56 - window.count);
        window.count += 8;
        source.stuffedHistory = (source.stuffedHistory << 1) | (stuffed ? 1u : 0u);
    }
    return window;
}

}  // namespace

BitWindow FillStuffed(BitSource& source, BitWindow window) {
    return FillByteByByte<false>(source, window);
}

BitWindow FillCareful(BitSource& source, BitWindow window) {
    if (source.length - source.fetched >= BitReader::kRefillReach) {
        return FillFast(source, window);
    }
    return FillByteByByte<true>(source, window);
}

std::int64_t BitReader::Position() const {
    const int unreadBytes = window_.count >> 3;  // whole bytes not one bit of which was consumed
    if (unreadBytes == 0) {
        return source_->fetched;
    }
    const std::uint64_t newest = ~0ull >> (64 - unreadBytes);
    return source_->fetched - unreadBytes - std::popcount(source_->stuffedHistory & newest);
}

}  // namespace orvik
