// Whole-file reading: open an existing regular file for reading, learn its size, read it
// whole into the caller's buffer, close it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

class ReadOnlyFile {
  public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens the file at path. When no entry has the exact name, the entry of the same folder
    // whose name matches without regard to ASCII case is opened instead (the records hold
    // names in upper case; the disk may not). False, with errno set, when there is no such
    // regular file or it cannot be opened.
    bool Open(const char* path);

    // Size in bytes of the open file.
    std::uint64_t Size() const { return size_; }

    // Reads the whole file into buffer. False when the file is larger than capacity (then
    // nothing is read), or a read fails or the file ends before Size() bytes.
    bool ReadAll(std::uint8_t* buffer, std::size_t capacity);

    void Close();

  private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace orvik
