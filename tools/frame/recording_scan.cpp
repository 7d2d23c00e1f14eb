#include "tools/frame/recording_scan.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/paths.h"
#include "text/bounded_format.h"

namespace orvik {

std::optional<std::string> ScanRecording(CMavFileManager& manager, const std::string& path) {
    const std::string chosen = AbsoluteFolderPath(path);
    struct stat status;
    if (stat(chosen.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        std::fprintf(stderr, "orvik-frame: %s: not a folder\n", path.c_str());
        return std::nullopt;
    }
    char buffer[kPathCapacity];
    if (BoundedFormat(buffer, sizeof buffer, "%s", chosen.c_str()) != FormatResult::kOk) {
        std::fprintf(stderr, "orvik-frame: %s: path too long\n", path.c_str());
        return std::nullopt;
    }
    if (manager.ScanFolderTree(buffer) != 0) {
        std::fprintf(stderr, "orvik-frame: %s: cannot be scanned\n", path.c_str());
        return std::nullopt;
    }
    return chosen;
}

}  // namespace orvik
