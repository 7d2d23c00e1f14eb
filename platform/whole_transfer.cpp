#include "platform/whole_transfer.h"

#include <unistd.h>

#include <cerrno>

namespace orvik {
namespace {

// Calls move(fd, bytes + done, size - done) until size bytes have moved; a call cut short by
// a signal is made again.
template <class Byte, class Move>
bool TransferExactly(int fd, Byte* bytes, std::size_t size, Move move) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t moved = move(fd, bytes + done, size - done);
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(moved);
    }
    return true;
}

}  // namespace

bool ReadExactly(int fd, std::uint8_t* buffer, std::size_t size) {
    return TransferExactly(fd, buffer, size, ::read);
}

bool WriteExactly(int fd, const std::uint8_t* bytes, std::size_t size) {
    return TransferExactly(fd, bytes, size, ::write);
}

}  // namespace orvik
