// CMavFile: the record of one frame file. Its folder owns it; prev and next link it to its
// neighbours in the folder's slot order and own nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "library/record_limits.h"

namespace orvik {

class CMavFile {
  public:
    // name is cut to 31 characters; timeKey is set by the owning folder right after.
    // listedName, when given, is the whole name as the listing gave it, kept for opening
    // the file; name must be its first 31 characters, raised or not.
    CMavFile(CMavFile* prev, const char* name, std::string_view listedName = {});
    virtual ~CMavFile();
    // Records change slots when their folder sorts them; the links are repaired after.
    CMavFile(CMavFile&&) = default;
    CMavFile& operator=(CMavFile&&) = default;

    // The name the file is opened by: the listed name, with its case and its whole length.
    std::string ListedName() const;

    char name[kNameCapacity];  // as listed, letters a-z raised to upper case by the scan
    CMavFile* prev;
    CMavFile* next = nullptr;
    std::int32_t timeKey = 0;  // capture time of day, hundredths of a second

  private:
    // What name lost of the listed name, in a few bytes for the usual names: bit i is set
    // when character i was a lower-case letter, and listedTail holds the characters beyond
    // the 31 of name (null for a name no longer). A mixed-case recording then costs no more
    // than an upper-case one.
    std::uint32_t lowerCaseLetters = 0;
    std::unique_ptr<char[]> listedTail;
};

}  // namespace orvik
