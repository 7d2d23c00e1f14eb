#include "tests/robustness/damaged_frames.h"

#include <algorithm>

namespace orvik::test {

Bytes CutAt(const Bytes& frame, std::size_t keep) {
    return Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(keep));
}

Bytes CutBeforeEnd(const Bytes& frame, std::size_t drop) {
    return CutAt(frame, frame.size() - drop);
}

Bytes ZeroTail(const Bytes& frame, std::size_t count) {
    return Fill(frame, frame.size() - count, frame.size(), 0);
}

Bytes FlipBit(const Bytes& frame, std::size_t at, int bit) {
    Bytes damaged = frame;
    damaged[at] ^= static_cast<std::uint8_t>(1u << bit);
    return damaged;
}

Bytes Fill(const Bytes& frame, std::size_t from, std::size_t to, std::uint8_t value) {
    Bytes damaged = frame;
    std::fill(damaged.begin() + static_cast<std::ptrdiff_t>(from),
              damaged.begin() + static_cast<std::ptrdiff_t>(to), value);
    return damaged;
}

Bytes InsertBeforeEndMarker(const Bytes& frame, std::uint8_t byte) {
    Bytes damaged = frame;
    damaged.insert(damaged.end() - 2, byte);
    return damaged;
}

Bytes AppendAfterEnd(const Bytes& frame, const Bytes& tail) {
    Bytes damaged = frame;
    damaged.insert(damaged.end(), tail.begin(), tail.end());
    return damaged;
}

}  // namespace orvik::test
