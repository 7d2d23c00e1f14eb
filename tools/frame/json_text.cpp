#include "tools/frame/json_text.h"

#include <cstdio>

namespace orvik {
namespace {

// The length of the valid UTF-8 sequence at the start of bytes (RFC 3629: no overlong forms,
// no surrogates, nothing past U+10FFFF); 0 when it starts with none.
std::size_t Utf8SequenceLength(std::string_view bytes) {
    const auto at = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    // The range of the second byte for each lead byte; the bytes after it are 80..BF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // E0 80..9F would be overlong
        high = lead == 0xED ? 0x9F : 0xBF;  // ED A0..BF would be a surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;   // F0 80..8F would be overlong
        high = lead == 0xF4 ? 0x8F : 0xBF;  // F4 90.. would pass U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

void AppendEscape(std::string& out, unsigned code) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", code);
    out += escape;
}

}  // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        const auto byte = static_cast<unsigned char>(bytes[0]);
        if (length == 0) {
            AppendEscape(out, 0xDC00 + byte);
            bytes.remove_prefix(1);
            continue;
        }
        switch (byte) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    AppendEscape(out, byte);
                } else {
                    out.append(bytes.substr(0, length));
                }
        }
        bytes.remove_prefix(length);
    }
    return out + "\"";
}

JsonObject& JsonObject::Name(std::string_view name) {
    if (text_.size() > 1) {
        text_ += ',';
    }
    text_ += JsonString(name);
    text_ += ':';
    return *this;
}

JsonObject& JsonObject::Text(std::string_view name, std::string_view bytes) {
    Name(name).text_ += JsonString(bytes);
    return *this;
}

JsonObject& JsonObject::Number(std::string_view name, std::int64_t value) {
    Name(name).text_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::FixedPoint(std::string_view name, std::int64_t value, std::size_t places) {
    std::uint64_t scale = 1;
    for (std::size_t i = 0; i < places; ++i) {
        scale *= 10;
    }
    // The magnitude in unsigned arithmetic, which holds that of the most negative value too.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    Name(name).text_ += (value < 0 ? "-" : "") + std::to_string(magnitude / scale);
    if (places > 0) {
        const std::string fraction = std::to_string(magnitude % scale);
        text_ += "." + std::string(places - fraction.size(), '0') + fraction;
    }
    return *this;
}

JsonObject& JsonObject::Flag(std::string_view name, bool value) {
    Name(name).text_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Value(std::string_view name, std::string_view json) {
    Name(name).text_ += json;
    return *this;
}

std::string JsonArray(std::span<const std::string> values) {
    std::string text = "[";
    for (const std::string& value : values) {
        text += (text.size() > 1 ? "," : "") + value;
    }
    return text + "]";
}

std::string PathReasonJson(std::string_view type, std::string_view path, std::string_view reason) {
    return JsonObject().Text("type", type).Text("path", path).Text("reason", reason).Json();
}

}  // namespace orvik
