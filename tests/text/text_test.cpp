#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "text/bounded_format.h"
#include "text/digits_value.h"

namespace orvik {
namespace {

TEST(BoundedFormat, CutsToCapacityAndReportsIt) {
    struct Case {
        const char* name;
        std::size_t capacity;
        const char* text;
        const char* want;
        FormatResult wantCode;
    };
    const Case cases[] = {
        {"fits with room", 10, "abc", "abc", FormatResult::kOk},
        {"fits exactly", 4, "abc", "abc", FormatResult::kOk},
        {"cut by one", 3, "abc", "ab", FormatResult::kInsufficientBuffer},
        {"two-character piece", 3, "2009/12/31", "20", FormatResult::kInsufficientBuffer},
        {"eight of a path", 9, "0123456789", "01234567", FormatResult::kInsufficientBuffer},
        {"capacity one, empty text", 1, "", "", FormatResult::kOk},
        {"capacity one, any text", 1, "x", "", FormatResult::kInsufficientBuffer},
    };
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        const FormatResult code = BoundedFormat(buffer, c.capacity, "%s", c.text);
        EXPECT_EQ(code, c.wantCode) << c.name;
        EXPECT_STREQ(buffer, c.want) << c.name;
        EXPECT_EQ(buffer[c.capacity], '#') << c.name << ": wrote past the capacity";
    }
}

TEST(BoundedFormat, RefusesBadCapacityWithoutTouchingTheBuffer) {
    char buffer[4] = {'x', 'y', 'z', '\0'};
    EXPECT_EQ(BoundedFormat(buffer, 0, "%s", "a"), FormatResult::kInvalidArgument);
    EXPECT_EQ(BoundedFormat(buffer, kMaxFormatCapacity + 1, "%s", "a"),
              FormatResult::kInvalidArgument);
    EXPECT_STREQ(buffer, "xyz");
}

TEST(BoundedFormat, FormatsTheSystemTexts) {
    char title[260];
    EXPECT_EQ(BoundedFormat(title, sizeof title, "Current %s", " "), FormatResult::kOk);
    EXPECT_STREQ(title, "Current  ");
    char date[11];
    EXPECT_EQ(BoundedFormat(date, sizeof date, "20%.2s/%.2s/%.2s", "09", "12", "31"),
              FormatResult::kOk);
    EXPECT_STREQ(date, "2009/12/31");
}

TEST(DigitsValue, ReadsTheDigitsFromTheRight) {
    struct Case {
        const char* text;
        std::int32_t want;
    };
    const Case cases[] = {
        {"12:3", 123},
        {"a1b2", 12},
        {"07", 7},
        {"2010/02/04", 20100204},
        {"10a02", 1002},
        {"", 0},
        {"no digits", 0},
        {"09123123", 9123123},
        {"99123099xyz", 99123099},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(DigitsValue(text.data()), c.want) << c.text;
    }
}

TEST(DigitsValue, WrapsIn32Bits) {
    char text[] = "4294967297";  // 2^32 + 1
    EXPECT_EQ(DigitsValue(text), 1);
    char eleven[] = "99999999999";  // wraps, as the 32-bit sum does
    EXPECT_EQ(DigitsValue(eleven), static_cast<std::int32_t>(99999999999ull & 0xFFFFFFFFull));
}

TEST(DigitsValue, RaisesLettersInPlace) {
    char name[] = "abc12345678.jpg";
    DigitsValue(name);
    EXPECT_STREQ(name, "ABC12345678.JPG");
}

}  // namespace
}  // namespace orvik
