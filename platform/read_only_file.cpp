#include "platform/read_only_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/listing_order.h"
#include "platform/path_capacity.h"
#include "platform/whole_transfer.h"

namespace orvik {
namespace {

// O_NONBLOCK keeps the open of a FIFO or device from waiting; only regular files are kept.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// Opens the entry of folderPath whose name matches name without regard to ASCII case; of
// several such entries, the first in listing order. -1 with errno ENOENT when none matches.
int OpenIgnoringCase(const std::string& folderPath, std::string_view name) {
    DIR* folder = opendir(folderPath.c_str());
    if (folder == nullptr) {
        return -1;
    }
    std::string match;
    while (const dirent* entry = readdir(folder)) {
        const std::string_view candidate = entry->d_name;
        if (SameNameIgnoringCase(candidate, name) &&
            (match.empty() || CompareListingNames(candidate, match) < 0)) {
            match = candidate;
        }
    }
    int fd = -1;
    if (match.empty()) {
        errno = ENOENT;
    } else {
        fd = openat(dirfd(folder), match.c_str(), kOpenFlags);
    }
    const int openError = errno;
    closedir(folder);
    errno = openError;
    return fd;
}

int OpenPath(const char* path) {
    const int fd = open(path, kOpenFlags);
    if (fd >= 0 || errno != ENOENT) {
        return fd;
    }
    const std::string_view whole = path;
    const std::size_t separator = whole.rfind(kPathSeparator);
    const std::string_view name =
        separator == std::string_view::npos ? whole : whole.substr(separator + 1);
    if (name.empty()) {
        errno = ENOENT;
        return -1;
    }
    std::string folderPath = ".";
    if (separator == 0) {
        folderPath = std::string(1, kPathSeparator);
    } else if (separator != std::string_view::npos) {
        folderPath = std::string(whole.substr(0, separator));
    }
    return OpenIgnoringCase(folderPath, name);
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    Close();
}

bool ReadOnlyFile::Open(const char* path) {
    Close();
    const int fd = OpenPath(path);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    int error = 0;
    if (fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    }
    if (error != 0) {
        close(fd);
        errno = error;
        return false;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool ReadOnlyFile::ReadAll(std::uint8_t* buffer, std::size_t capacity) {
    if (fd_ < 0 || size_ > capacity) {
        return false;
    }
    return ReadExactly(fd_, buffer, static_cast<std::size_t>(size_));
}

void ReadOnlyFile::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    size_ = 0;
}

}  // namespace orvik
