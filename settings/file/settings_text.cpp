#include "settings/file/settings_text.h"

namespace orvik {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The white space both QByteArray::trimmed and Qt's number reading skip: tab, line feed,
// vertical tab, form feed, carriage return and space.
bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsAsciiSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsAsciiSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

void ForEachGeneralSetting(std::string_view text,
                           const std::function<void(std::string_view, std::string_view)>& take) {
    bool inGeneral = true;  // lines before any section header belong to the general one
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.starts_with('[')) {
            inGeneral = line == kGeneralSectionHeader;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGeneral || equals == 0 || equals == std::string_view::npos ||
            line.starts_with(';') || line.starts_with('#')) {
            continue;
        }
        take(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
}

std::optional<std::int32_t> SettingInteger(std::string_view text) {
    text = Trimmed(text.substr(0, text.find('\0')));
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // Checked after every digit, so that no number of digits can overflow the sum.
    constexpr std::int64_t kLargest = std::int64_t{1} << 31;  // the magnitude of the smallest
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLargest) {
            return std::nullopt;
        }
    }
    if (!negative && magnitude == kLargest) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return text;
}

}  // namespace orvik
