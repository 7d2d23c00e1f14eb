// The JSON text of --format json: names are bytes, written so that a JSON parser reads a
// string from which Python's os.fsencode gives the bytes back; objects keep their members'
// order and write numbers exactly.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "tools/frame/json_text.h"

namespace orvik {
namespace {

TEST(JsonText, NamesAreWrittenSoThatTheirBytesComeBack) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string want;  // without the quotes
    };
    const Case cases[] = {
        {"plain", "/rec/24061509/CAM109000000.JPG", "/rec/24061509/CAM109000000.JPG"},
        {"quote and backslash", "a\"b\\c", "a\\\"b\\\\c"},
        {"control bytes", std::string("\b\f\n\r\t\x01\x1f", 7), "\\b\\f\\n\\r\\t\\u0001\\u001f"},
        {"a zero byte", std::string("a\0b", 3), "a\\u0000b"},
        {"delete stays", "\x7f", "\x7f"},
        {"two, three and four byte characters", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xa5",
         "\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xa5"},
        {"the highest code point", "\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},
        {"a Latin-1 byte", "caf\xe9.jpg", "caf\\udce9.jpg"},
        {"a lone continuation byte", "\x80", "\\udc80"},
        {"an overlong slash", "\xc0\xaf", "\\udcc0\\udcaf"},
        {"an overlong three-byte form", "\xe0\x80\xaf", "\\udce0\\udc80\\udcaf"},
        {"a surrogate written in UTF-8", "\xed\xa0\x80", "\\udced\\udca0\\udc80"},
        {"past U+10FFFF", "\xf4\x90\x80\x80", "\\udcf4\\udc90\\udc80\\udc80"},
        {"a sequence cut short, then ASCII", "\xe2\x82x", "\\udce2\\udc82x"},
        {"a sequence cut short by the end", "\xf0\x9f\x8e", "\\udcf0\\udc9f\\udc8e"},
        {"bytes that lead nothing", "\xf5\xff\xfe", "\\udcf5\\udcff\\udcfe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JsonString(c.bytes), "\"" + c.want + "\"") << c.name;
    }
}

TEST(JsonText, ObjectsKeepTheirOrderAndNumbersAreExact) {
    const std::string gaps[] = {JsonObject().FixedPoint("seconds", 1520, 2).Json(),
                                JsonObject().Flag("last", false).Json()};
    EXPECT_EQ(JsonObject()
                  .Text("type", "folder")
                  .Number("frames", -3)
                  .Flag("current", true)
                  .Value("gaps", JsonArray(gaps))
                  .Value("none", JsonArray({}))
                  .Json(),
              "{\"type\":\"folder\",\"frames\":-3,\"current\":true,"
              "\"gaps\":[{\"seconds\":15.20},{\"last\":false}],\"none\":[]}");
    EXPECT_EQ(JsonObject().Json(), "{}");

    struct Fixed {
        std::int64_t value;
        std::size_t places;
        const char* want;
    };
    const Fixed fixed[] = {
        {0, 2, "0.00"},
        {5, 2, "0.05"},
        {-5, 2, "-0.05"},
        {123456, 3, "123.456"},
        {42, 0, "42"},
        {std::numeric_limits<std::int64_t>::min(), 3, "-9223372036854775.808"},
        {std::numeric_limits<std::int64_t>::max(), 18, "9.223372036854775807"},
    };
    for (const Fixed& f : fixed) {
        EXPECT_EQ(JsonObject().FixedPoint("n", f.value, f.places).Json(),
                  std::string("{\"n\":") + f.want + "}")
            << f.want;
    }
}

}  // namespace
}  // namespace orvik
