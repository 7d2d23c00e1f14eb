#include "platform/last_error.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "text/bounded_format.h"

namespace orvik {
namespace {

// strerror_r comes in two forms: the GNU one returns the text, the POSIX one fills the
// buffer and returns 0 on success.
[[maybe_unused]] const char* TextOf(const char* returned, const char* /*buffer*/) {
    return returned;
}
[[maybe_unused]] const char* TextOf(int returned, const char* buffer) {
    return returned == 0 ? buffer : "";
}

// Longer than any system error text.
constexpr std::size_t kErrorTextCapacity = 256;
// Room for " failed with error ", the code's digits, ": " and the terminator.
constexpr std::size_t kReportSlack = 40;

}  // namespace

int LastErrorCode() {
    return errno;
}

std::string ErrorText(int code) {
    char buffer[kErrorTextCapacity] = {};
    return TextOf(strerror_r(code, buffer, sizeof buffer), buffer);
}

std::string FormatErrorReport(const char* what, int code) {
    const std::string text = ErrorText(code);
    std::vector<char> report(std::strlen(what) + text.size() + kReportSlack, '\0');
    BoundedFormat(report.data(), report.size(), "%s failed with error %d: %s", what, code,
                  text.c_str());
    return report.data();
}

}  // namespace orvik
