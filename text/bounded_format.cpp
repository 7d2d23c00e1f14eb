#include "text/bounded_format.h"

#include <cstdarg>
#include <cstdio>

namespace orvik {

FormatResult BoundedFormat(char* buffer, std::size_t capacity, const char* format, ...) {
    if (capacity == 0 || capacity > kMaxFormatCapacity) {
        return FormatResult::kInvalidArgument;
    }
    std::va_list args;
    va_start(args, format);
    const int needed = std::vsnprintf(buffer, capacity, format, args);
    va_end(args);
    if (needed < 0 || static_cast<std::size_t>(needed) >= capacity) {
        // Cut (or failed): the buffer keeps the first capacity - 1 characters.
        buffer[capacity - 1] = '\0';
        return FormatResult::kInsufficientBuffer;
    }
    return FormatResult::kOk;
}

}  // namespace orvik
