#include "library/mav_file.h"

#include "shell/text/bounded_format.h"

namespace orvik {

CMavFile::CMavFile(CMavFile* prev, const char* name) : prev(prev) {
    BoundedFormat(this->name, sizeof this->name, "%s", name);
}

CMavFile::~CMavFile() = default;

}  // namespace orvik
