// orvik-frame export runs in the program orvik-frame-export, which this process becomes: it
// is found beside this program (the build tree) or where the installation puts it.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/frame/commands.h"

namespace orvik {
namespace {

std::filesystem::path ExportProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path(".") : self.parent_path();
    std::filesystem::path beside = folder / "orvik-frame-export";
    if (std::filesystem::exists(beside, error)) {
        return beside;
    }
    return (folder / ORVIK_FRAME_EXPORT_FROM_BIN).lexically_normal();
}

}  // namespace

int LaunchExport(char** argv) {
    const std::string program = ExportProgram().string();
    execv(program.c_str(), argv);
    std::fprintf(stderr, "orvik-frame: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
    return kExitRefused;
}

}  // namespace orvik
