#include "tools/frame/progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kInterval = std::chrono::milliseconds(250);

}  // namespace

ProgressLine::ProgressLine()
    : shown_(isatty(STDERR_FILENO) == 1), next_(Clock::now() + kInterval) {}

bool ProgressLine::Due() const {
    return shown_ && Clock::now() >= next_;
}

void ProgressLine::Show(const std::string& text) {
    next_ = Clock::now() + kInterval;
    std::fprintf(stderr, "\r%s\033[K", text.c_str());
    drawn_ = true;
}

void ProgressLine::Clear() {
    if (drawn_) {
        std::fprintf(stderr, "\r\033[K");
        drawn_ = false;
    }
}

}  // namespace orvik
