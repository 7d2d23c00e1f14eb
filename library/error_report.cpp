#include "library/error_report.h"

#include <utility>

#include "platform/last_error.h"

namespace orvik {
namespace {

std::function<void(const ErrorReport&)>& InstalledReporter() {
    static std::function<void(const ErrorReport&)> reporter;
    return reporter;
}

// The calling thread's own reporter, while a ScopedThreadErrorReporter stands.
thread_local const std::function<void(const ErrorReport&)>* threadReporter = nullptr;

}  // namespace

std::string ReportText(const ErrorReport& report) {
    return FormatErrorReport(report.what, report.code);
}

void SetErrorReporter(std::function<void(const ErrorReport& report)> reporter) {
    InstalledReporter() = std::move(reporter);
}

void ReportError(const ErrorReport& report) {
    if (threadReporter != nullptr) {
        if (*threadReporter) {
            (*threadReporter)(report);
        }
        return;
    }
    if (const auto& reporter = InstalledReporter()) {
        reporter(report);
    }
}

ScopedThreadErrorReporter::ScopedThreadErrorReporter(
    std::function<void(const ErrorReport& report)> reporter)
    : reporter(std::move(reporter)), outer(threadReporter) {
    threadReporter = &this->reporter;
}

ScopedThreadErrorReporter::~ScopedThreadErrorReporter() {
    threadReporter = outer;
}

}  // namespace orvik
