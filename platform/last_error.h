// The last error: the code the most recent failed system call left (errno), its text, and
// the report text that the error box and the command-line tools show.
#pragma once

#include <string>

namespace orvik {

int LastErrorCode();

// The system's text for an error code; empty when it has none.
std::string ErrorText(int code);

// "%s failed with error %d: %s" with what, the code and the code's text.
std::string FormatErrorReport(const char* what, int code);

}  // namespace orvik
