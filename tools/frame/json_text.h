// JSON text for orvik-frame's --format json: one object a line, which scripts and batch
// schedulers read and merge.
//
// Paths and names are bytes, not text, and any byte but '/' and 0 can be in one. A run of
// bytes that is valid UTF-8 is written as it is (with '"', '\' and the control characters
// escaped); every byte that is not part of one is written as the escape \udcXX, the code
// point U+DC00 plus the byte. That is a lone low surrogate, which no valid text holds, so
// no two names are written alike, and it is Python's "surrogateescape" convention:
// os.fsencode() of the string a JSON parser reads gives back the name's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvik {

// bytes as a JSON string, quotes included.
std::string JsonString(std::string_view bytes);

// One JSON object, its members in the order they are added.
class JsonObject {
  public:
    JsonObject& Text(std::string_view name, std::string_view bytes);
    JsonObject& Number(std::string_view name, std::int64_t value);
    // value / 10^places with that many places (at most 18): FixedPoint("s", 1520, 2) is
    // "s":15.20.
    JsonObject& FixedPoint(std::string_view name, std::int64_t value, std::size_t places);
    JsonObject& Flag(std::string_view name, bool value);
    // A JSON value made elsewhere: an array, an object.
    JsonObject& Value(std::string_view name, std::string_view json);

    // The object, "{...}".
    std::string Json() const { return text_ + "}"; }

  private:
    JsonObject& Name(std::string_view name);

    std::string text_ = "{";
};

// {"type":type,"path":path,"reason":reason}: what happened to a path given on the command
// line, e.g. a folder refused or unreadable.
std::string PathReasonJson(std::string_view type, std::string_view path, std::string_view reason);

// "[a,b,...]" of JSON values.
std::string JsonArray(std::span<const std::string> values);

}  // namespace orvik
