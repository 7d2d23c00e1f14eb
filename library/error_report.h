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

// Calls the installed reporter with the report; with none installed, does nothing.
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

}  // namespace orvik
