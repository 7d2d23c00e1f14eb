// ZeroedBytes: a byte buffer of fixed size that starts out all zero, taken from calloc. A
// large one comes straight from the system as zero pages, so none of its memory is written,
// or even mapped in, before it is first used; std::make_unique<std::uint8_t[]> writes every
// byte at once. The frame reader and the decoder hold buffers for the largest picture,
// most of which a smaller picture never touches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace orvik {

struct FreeBytes {
    void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};
using ZeroedBytes = std::unique_ptr<std::uint8_t[], FreeBytes>;

// Throws std::bad_alloc when there is no memory for it, as new does.
inline ZeroedBytes MakeZeroedBytes(std::size_t count) {
    auto* bytes = static_cast<std::uint8_t*>(std::calloc(count, 1));
    if (bytes == nullptr) {
        throw std::bad_alloc();
    }
    return ZeroedBytes(bytes);
}

}  // namespace orvik
