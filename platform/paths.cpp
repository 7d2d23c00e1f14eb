#include "platform/paths.h"

#include <filesystem>
#include <system_error>

#include "platform/path_capacity.h"

namespace orvik {

std::string AbsoluteFolderPath(const std::string& given) {
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

}  // namespace orvik
