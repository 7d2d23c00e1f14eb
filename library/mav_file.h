// CMavFile: the record of one frame file. Its folder owns it; prev and next link it to its
// neighbours in the folder's slot order and own nothing.
#pragma once

#include <cstdint>

#include "library/record_limits.h"

namespace orvik {

class CMavFile {
  public:
    // name is cut to 31 characters; timeKey is set by the owning folder right after.
    CMavFile(CMavFile* prev, const char* name);
    virtual ~CMavFile();
    // Records change slots when their folder sorts them; the links are repaired after.
    CMavFile(const CMavFile&) = default;
    CMavFile& operator=(const CMavFile&) = default;

    char name[kNameCapacity];  // as listed, letters a-z raised to upper case by the scan
    CMavFile* prev;
    CMavFile* next = nullptr;
    std::int32_t timeKey = 0;  // capture time of day, hundredths of a second
};

}  // namespace orvik
