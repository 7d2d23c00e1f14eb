#include "tools/frame/recording_scan.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "library/error_report.h"
#include "platform/last_error.h"
#include "text/bounded_format.h"

namespace orvik {

std::string ChooserPath(const std::string& given) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(given, error);
    if (error) {
        path = given;
    }
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == kPathSeparator) {
        text.pop_back();
    }
    return text;
}

bool ScanRecording(CMavFileManager& manager, const std::string& path) {
    const std::string chosen = ChooserPath(path);
    struct stat status;
    if (stat(chosen.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        std::fprintf(stderr, "orvik-frame: %s: not a folder\n", path.c_str());
        return false;
    }
    char buffer[kPathCapacity];
    if (BoundedFormat(buffer, sizeof buffer, "%s", chosen.c_str()) != kFormatOk) {
        std::fprintf(stderr, "orvik-frame: %s: path too long\n", path.c_str());
        return false;
    }
    if (manager.ScanFolderTree(buffer) != 0) {
        std::fprintf(stderr, "orvik-frame: %s: cannot be scanned\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace orvik
