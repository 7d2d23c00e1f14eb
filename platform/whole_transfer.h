// Reading and writing a given number of bytes through a file descriptor, one read(2) or
// write(2) after another until all have moved: a call may move fewer bytes than asked, and a
// signal may cut one short before it moves any.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

// False when the descriptor fails, or ends before size bytes were read.
bool ReadExactly(int fd, std::uint8_t* buffer, std::size_t size);
// False when the descriptor fails before size bytes were written.
bool WriteExactly(int fd, const std::uint8_t* bytes, std::size_t size);

}  // namespace orvik
