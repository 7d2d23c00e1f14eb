#include "testing/support/temp_tree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvik::test {

TempTree::TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvik-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();  // no temporary folder: no test can run
    }
    root_ = pattern;
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempTree::Path(const std::string& relative) const {
    return root_ + "/" + relative;
}

void TempTree::MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
}

void TempTree::WriteFile(const std::string& relative, std::size_t size) const {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    WriteFile(relative, bytes);
}

void TempTree::WriteFile(const std::string& relative,
                         const std::vector<std::uint8_t>& bytes) const {
    const std::filesystem::path path = Path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orvik::test
