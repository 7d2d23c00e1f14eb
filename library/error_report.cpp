#include "library/error_report.h"

#include <utility>

#include "platform/last_error.h"

namespace orvik {
namespace {

std::function<void(const ErrorReport&)>& InstalledReporter() {
    static std::function<void(const ErrorReport&)> reporter;
    return reporter;
}

}  // namespace

std::string ReportText(const ErrorReport& report) {
    return FormatErrorReport(report.what, report.code);
}

void SetErrorReporter(std::function<void(const ErrorReport& report)> reporter) {
    InstalledReporter() = std::move(reporter);
}

void ReportError(const ErrorReport& report) {
    if (const auto& reporter = InstalledReporter()) {
        reporter(report);
    }
}

}  // namespace orvik
