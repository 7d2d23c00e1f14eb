#include "library/name_keys.h"

#include <algorithm>
#include <cstring>

#include "library/record_limits.h"
#include "library/time_of_day.h"
#include "text/bounded_format.h"
#include "text/digits_value.h"

namespace orvik {
namespace {

constexpr std::size_t kDateKeyLength = 8;

// The longest piece read on its own is the date key.
constexpr std::size_t kPartCapacity = kDateKeyLength + 1;

}  // namespace

std::int32_t DigitsValueOfPart(std::string_view text, std::size_t from, std::size_t count) {
    if (from >= text.size()) {
        return 0;
    }
    const std::string_view part = text.substr(from, std::min(count, kPartCapacity - 1));
    char copy[kPartCapacity];
    part.copy(copy, part.size());
    copy[part.size()] = '\0';
    return DigitsValue(copy);
}

std::int32_t DateKeyOfName(std::string_view name) {
    return DigitsValueOfPart(name, 0, kDateKeyLength);
}

bool IsDateFolderName(std::string_view name) {
    if (name.size() < kDateKeyLength) {
        return false;
    }
    const std::int32_t key = DateKeyOfName(name);
    return key >= kMinDateKey && key <= kMaxDateKey;
}

std::int32_t TimeKeyOfName(std::string_view name) {
    const std::int32_t hours = DigitsValueOfPart(name, 4, 2);
    const std::int32_t minutes = DigitsValueOfPart(name, 6, 2);
    const std::int32_t secondsAndHundredths = DigitsValueOfPart(name, 8, 4);
    return hours * kHundredthsPerHour + minutes * kHundredthsPerMinute + secondsAndHundredths;
}

const char* NameFrom(const char* name, std::size_t at) {
    const std::size_t length = std::strlen(name);
    return name + (at < length ? at : length);
}

void WriteDateText(char* text, std::size_t capacity, const char* folderName) {
    BoundedFormat(text, capacity, "20%.2s/%.2s/%.2s", folderName, NameFrom(folderName, 2),
                  NameFrom(folderName, 4));
}

}  // namespace orvik
