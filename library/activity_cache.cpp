#include "library/activity_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/last_error.h"
#include "platform/read_only_file.h"
#include "platform/whole_transfer.h"

namespace orvik {
namespace {

// Changed whenever what a stored activity means changes (the meter, the file's layout).
constexpr char kMagic[8] = {'O', 'R', 'V', 'K', 'A', 'C', 'T', 1};
constexpr std::size_t kHeaderBytes = 24;  // magic, key, count
constexpr std::size_t kChecksumBytes = 8;

// FNV-1a, 64 bits: enough to tell a changed listing or a damaged file from a whole one.
class Fnv {
  public:
    void Add(const void* data, std::size_t length) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < length; ++i) {
            hash_ = (hash_ ^ bytes[i]) * 0x100000001B3ull;
        }
    }
    void Add(std::int64_t value) { Add(&value, sizeof value); }
    std::uint64_t Hash() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddSettings(Fnv& fnv, const ActivitySettings& settings) {
    fnv.Add(kMagic, sizeof kMagic);
    fnv.Add(settings.region ? 1 : 0);
    if (settings.region) {
        fnv.Add(settings.region->x);
        fnv.Add(settings.region->y);
        fnv.Add(settings.region->width);
        fnv.Add(settings.region->height);
    }
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint64_t GetLittleEndian(const std::uint8_t* in, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | in[i];
    }
    return value;
}

std::uint64_t Checksum(const std::uint8_t* data, std::size_t length) {
    Fnv fnv;
    fnv.Add(data, length);
    return fnv.Hash();
}

// Makes the folder and the ones above it that are missing.
bool MakeFolders(const std::string& path) {
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        mkdir(path.substr(0, at).c_str(), 0700);
    }
    return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string ActivityCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/orvik-view/activity";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.cache/orvik-view/activity";
    }
    return {};
}

std::uint64_t ActivityCacheKey(std::span<const RecordedFrame> frames,
                               const ActivitySettings& settings) {
    Fnv fnv;
    AddSettings(fnv, settings);
    for (const RecordedFrame& frame : frames) {
        fnv.Add(frame.path.c_str(), frame.path.size() + 1);
        struct stat status;
        if (stat(frame.path.c_str(), &status) != 0) {
            fnv.Add(-1);
            continue;
        }
        fnv.Add(static_cast<std::int64_t>(status.st_size));
        fnv.Add(static_cast<std::int64_t>(status.st_mtim.tv_sec));
        fnv.Add(static_cast<std::int64_t>(status.st_mtim.tv_nsec));
    }
    return fnv.Hash();
}

std::string ActivityCachePath(const std::string& cacheFolder, const std::string& folderPath,
                              const ActivitySettings& settings) {
    Fnv fnv;
    AddSettings(fnv, settings);
    fnv.Add(folderPath.c_str(), folderPath.size());
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.act", static_cast<unsigned long long>(fnv.Hash()));
    return cacheFolder + "/" + name;
}

std::optional<std::vector<Activity>> LoadActivity(const std::string& path, std::uint64_t key,
                                                  std::size_t frames) {
    const std::size_t size = kHeaderBytes + 2 * frames + kChecksumBytes;
    ReadOnlyFile file;
    if (!file.Open(path.c_str()) || file.Size() != size) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    if (!file.ReadAll(bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    const std::uint8_t* b = bytes.data();
    if (std::memcmp(b, kMagic, sizeof kMagic) != 0 || GetLittleEndian(b + 8, 8) != key ||
        GetLittleEndian(b + 16, 8) != frames ||
        GetLittleEndian(b + size - kChecksumBytes, 8) != Checksum(b, size - kChecksumBytes)) {
        return std::nullopt;
    }
    std::vector<Activity> activity(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        activity[i] = static_cast<Activity>(GetLittleEndian(b + kHeaderBytes + 2 * i, 2));
        if (activity[i] > kAllBlocksChanged && activity[i] != kNoActivity) {
            return std::nullopt;
        }
    }
    return activity;
}

Status StoreActivity(const std::string& path, std::uint64_t key,
                     std::span<const Activity> activity) {
    std::vector<std::uint8_t> bytes(kMagic, kMagic + sizeof kMagic);
    PutLittleEndian(bytes, key, 8);
    PutLittleEndian(bytes, activity.size(), 8);
    for (const Activity a : activity) {
        PutLittleEndian(bytes, a, 2);
    }
    PutLittleEndian(bytes, Checksum(bytes.data(), bytes.size()), 8);

    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || !MakeFolders(path.substr(0, slash))) {
        return Status::Failure(path + ": its folder cannot be made: " + ErrorText(errno));
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return Status::Failure(path + ": cannot be written: " + ErrorText(errno));
    }
    const bool written = WriteExactly(fd, bytes.data(), bytes.size());
    const int error = errno;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
        const int why = written ? errno : error;
        unlink(temporary.c_str());
        return Status::Failure(path + ": cannot be written: " + ErrorText(why));
    }
    return {};
}

}  // namespace orvik
