// jpeg_files_to_bgr FOLDER: decodes every .jpg file of the folder to B, G, R pixels with
// libjpeg-turbo on one thread (accurate integer transform, otherwise its default settings),
// each file read whole with plain file I/O. The plain libjpeg-turbo program check_bench
// times beside orvik-frame check and startup_bench beside orvik-frame's start, so it links
// neither Qt nor FFmpeg. Exits with 1, naming
// the file, when one cannot be read or decoded.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "testing/framewriter/jpeg_reference.h"

namespace {

// Reads the file whole into jpeg and decodes it into bgr; false when either fails.
bool DecodeFile(orvik::ReferenceDecoder& decoder, const std::filesystem::path& path,
                std::vector<std::uint8_t>& jpeg, std::vector<std::uint8_t>& bgr) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return false;
    }
    jpeg.resize(size);
    std::ifstream file(path, std::ios::binary);
    int width = 0;
    int height = 0;
    return file.read(reinterpret_cast<char*>(jpeg.data()), static_cast<std::streamsize>(size)) &&
           decoder.DecodeBgr(jpeg.data(), jpeg.size(), bgr, width, height);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: jpeg_files_to_bgr FOLDER\n");
        return 2;
    }
    orvik::ReferenceDecoder decoder;
    std::vector<std::uint8_t> jpeg;
    std::vector<std::uint8_t> bgr;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        if (entry.path().extension() == ".jpg" && !DecodeFile(decoder, entry.path(), jpeg, bgr)) {
            std::fprintf(stderr, "%s: not decoded\n", entry.path().c_str());
            return 1;
        }
    }
    if (error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    return 0;
}
