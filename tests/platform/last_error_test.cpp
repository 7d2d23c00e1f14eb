#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/last_error.h"

namespace orvik {
namespace {

TEST(LastError, IsErrno) {
    errno = EACCES;
    EXPECT_EQ(LastErrorCode(), EACCES);
}

TEST(LastError, ReportNamesTheOperationTheCodeAndItsText) {
    struct Case {
        const char* what;
        int code;
    };
    const Case cases[] = {
        {"FindFirstFile", ENOENT},
        {"File List is Empty", EACCES},
        {"Folder Number over 65536 !!", 0},
    };
    for (const Case& c : cases) {
        const std::string want = std::string(c.what) + " failed with error " +
                                 std::to_string(c.code) + ": " + ErrorText(c.code);
        EXPECT_EQ(FormatErrorReport(c.what, c.code), want);
    }
    EXPECT_EQ(ErrorText(ENOENT), "No such file or directory");
}

TEST(LastError, LongTextsAreNotCut) {
    const std::string what(5000, 'w');
    const std::string report = FormatErrorReport(what.c_str(), -2147483647 - 1);
    EXPECT_EQ(report.substr(0, what.size()), what);
    const std::string tail = " failed with error -2147483648: " + ErrorText(-2147483647 - 1);
    EXPECT_EQ(report.substr(what.size()), tail);
}

}  // namespace
}  // namespace orvik
