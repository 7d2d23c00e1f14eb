// A folder tree in a fresh temporary folder, removed with everything in it when the object
// goes. Tests build recordings, odd names and odd sizes in it on the fly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvik::test {

class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The root, without a trailing separator.
    const std::string& Root() const { return root_; }
    // Root + "/" + relative.
    std::string Path(const std::string& relative) const;

    // Makes the folder and any missing folders above it.
    void MakeFolder(const std::string& relative) const;
    // Writes a file of size bytes (a repeating pattern), making its folder first.
    void WriteFile(const std::string& relative, std::size_t size) const;
    // Writes the given bytes, making the folder first.
    void WriteFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const;

  private:
    std::string root_;
};

}  // namespace orvik::test
