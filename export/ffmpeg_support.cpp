#include "export/ffmpeg_support.h"

namespace orvik {

std::string AvFailure(std::string_view what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return std::string(what) + ": " + text;
}

}  // namespace orvik
