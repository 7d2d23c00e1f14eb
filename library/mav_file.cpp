#include "library/mav_file.h"

#include "text/bounded_format.h"

namespace orvik {

CMavFile::CMavFile(CMavFile* prev, const char* name, std::string_view listedName) : prev(prev) {
    BoundedFormat(this->name, sizeof this->name, "%s", name);
    const std::size_t kept = kNameCapacity - 1;
    for (std::size_t i = 0; i < listedName.size() && i < kept; ++i) {
        if (listedName[i] >= 'a' && listedName[i] <= 'z') {
            lowerCaseLetters |= std::uint32_t{1} << i;
        }
    }
    if (listedName.size() > kept) {
        const std::string_view tail = listedName.substr(kept);
        listedTail = std::make_unique<char[]>(tail.size() + 1);
        tail.copy(listedTail.get(), tail.size());
    }
}

std::string CMavFile::ListedName() const {
    std::string listed = name;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if ((lowerCaseLetters >> i & 1) != 0 && listed[i] >= 'A' && listed[i] <= 'Z') {
            listed[i] = static_cast<char>(listed[i] - 'A' + 'a');
        }
    }
    if (listedTail != nullptr) {
        listed += listedTail.get();
    }
    return listed;
}

CMavFile::~CMavFile() = default;

}  // namespace orvik
