// The one way a failure of the clip library reaches the user: a short text naming what
// failed, handed to the reporter that the application installs (it reads the last error
// code, errno, and shows "%s failed with error %d: %s" in a box). Callers leave errno as
// the failing system call left it.
#pragma once

#include <functional>

namespace orvik {

// Installs the reporter; an empty one removes it.
void SetLastErrorReporter(std::function<void(const char* what)> reporter);

// Calls the installed reporter with what; with none installed, does nothing.
void ReportLastError(const char* what);

// Installs a reporter for the life of the object, and removes it after.
class ScopedErrorReporter {
  public:
    explicit ScopedErrorReporter(std::function<void(const char* what)> reporter) {
        SetLastErrorReporter(std::move(reporter));
    }
    ~ScopedErrorReporter() { SetLastErrorReporter({}); }
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;
};

}  // namespace orvik
