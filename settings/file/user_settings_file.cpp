#include "settings/file/user_settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/paths.h"

namespace orvik {

std::string UserSettingsFilePath(const char* configHome, const char* home) {
    std::string folder;
    if (configHome != nullptr && configHome[0] != '\0') {
        folder = configHome;
    } else {
        folder = std::string(home != nullptr && home[0] != '\0' ? home : "/") + "/.config";
    }
    return AbsoluteFolderPath(folder + "/Telmora/Kestrune.conf");
}

std::string UserSettingsFilePath() {
    return UserSettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::optional<std::string> ReadSettingsFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    struct stat status {};
    // Only a regular file: a pipe or a device in its place could hold the read forever.
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        text.emplace();
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0) {
                text->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                text.reset();
                break;
            }
        }
    }
    close(fd);
    return text;
}

}  // namespace orvik
