#include "export/temporary_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/last_error.h"

namespace orvik {
namespace {

// Enough names to step past the leftovers of other runs of the same process id.
constexpr int kNameAttempts = 100;

Status Failure(const std::string& what, int code) {
    return Status::Failure(what + ": " + ErrorText(code));
}

}  // namespace

TemporaryOutput::TemporaryOutput(std::string finalPath) : finalPath_(std::move(finalPath)) {}

TemporaryOutput::~TemporaryOutput() {
    if (!temporaryPath_.empty()) {
        std::remove(temporaryPath_.c_str());
    }
}

Status TemporaryOutput::Create() {
    const std::filesystem::path final(finalPath_);
    int code = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = "." + final.filename().string() + "." + std::to_string(getpid()) +
                                 "." + std::to_string(attempt) + ".part";
        const std::string path = (final.parent_path() / name).string();
        // O_EXCL: never an existing file, not even one left by an earlier run.
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            temporaryPath_ = path;
            return Status();
        }
        code = errno;
        if (code != EEXIST) {
            break;
        }
    }
    return Failure(finalPath_ + ": cannot be written", code);
}

Status TemporaryOutput::Commit() {
    if (std::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        return Failure(finalPath_ + ": cannot be written", errno);
    }
    temporaryPath_.clear();
    return Status();
}

}  // namespace orvik
