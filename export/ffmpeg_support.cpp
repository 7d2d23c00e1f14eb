#include "export/ffmpeg_support.h"

namespace orvik {

Status AvFailure(std::string_view what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return Status::Failure(std::string(what) + ": " + text);
}

}  // namespace orvik
