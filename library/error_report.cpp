#include "library/error_report.h"

#include <utility>

namespace orvik {
namespace {

std::function<void(const char*)>& InstalledReporter() {
    static std::function<void(const char*)> reporter;
    return reporter;
}

}  // namespace

void SetLastErrorReporter(std::function<void(const char* what)> reporter) {
    InstalledReporter() = std::move(reporter);
}

void ReportLastError(const char* what) {
    if (const auto& reporter = InstalledReporter()) {
        reporter(what);
    }
}

}  // namespace orvik
