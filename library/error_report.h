// The one way a failure of the clip library reaches the user: a report naming what failed
// (one of the fixed texts of report_texts.h) with its error code, handed to the reporter
// that the application installs. The viewer's error box shows it, as orvik-frame prints
// it, in the words of ReportText.
#pragma once

#include <functional>
#include <string>

namespace orvik {

struct ErrorReport {
    const char* what;
    // The failed call's error code; for a limit reached, which follows no failed call, the
    // last error code as it stood then.
    int code;
};

// "<what> failed with error <code>: <the system's text for code>".
std::string ReportText(const ErrorReport& report);

// Installs the reporter; an empty one removes it.
void SetErrorReporter(std::function<void(const ErrorReport& report)> reporter);

// Calls the reporter in force on this thread (ScopedThreadErrorReporter), else the installed
// one; with none, does nothing.
void ReportError(const ErrorReport& report);

// Installs a reporter for the life of the object, and removes it after.
class ScopedErrorReporter {
  public:
    explicit ScopedErrorReporter(std::function<void(const ErrorReport& report)> reporter) {
        SetErrorReporter(std::move(reporter));
    }
    ~ScopedErrorReporter() { SetErrorReporter({}); }
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;
};

// Installs a reporter for the calling thread alone, for the life of the object: a scan run on
// a worker hands its reports to the window's thread this way, and a quiet look at a folder
// reports nothing.
class ScopedThreadErrorReporter {
  public:
    explicit ScopedThreadErrorReporter(std::function<void(const ErrorReport& report)> reporter);
    ~ScopedThreadErrorReporter();
    ScopedThreadErrorReporter(const ScopedThreadErrorReporter&) = delete;
    ScopedThreadErrorReporter& operator=(const ScopedThreadErrorReporter&) = delete;

  private:
    std::function<void(const ErrorReport& report)> reporter;
    const std::function<void(const ErrorReport& report)>* outer;
};

}  // namespace orvik
