// The reference decoder: libjpeg-turbo decoding a standard JPEG (for example RewrapAsJpeg's)
// to raw Y, U, V planes with the accurate integer transform (JDCT_ISLOW) and no upsampling,
// or to a BGR picture. For tests and benchmarks, never for the viewer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvik {

// Keeps one libjpeg decompressor for many decodes.
class ReferenceDecoder {
  public:
    ReferenceDecoder();
    ~ReferenceDecoder();

    // Decodes a 4:2:2 JPEG whose width is a multiple of 16 and height a multiple of 8 into
    // planes laid out as the decoder's: Y (w x h), then U and V ((w/2) x h each), rows top
    // down; planes is resized to 2 x w x h. Returns false for any other picture or when
    // libjpeg reports an error.
    bool DecodePlanes(const std::uint8_t* jpeg, std::size_t size, std::vector<std::uint8_t>& planes,
                      int& width, int& height);

    // Decodes any JPEG to top-down B, G, R pixels with JDCT_ISLOW: with libjpeg's smooth
    // (fancy) chroma upsampling, or, when smoothChroma is false, each chroma sample shared by
    // the pixels it covers. Returns false when libjpeg reports an error.
    bool DecodeBgr(const std::uint8_t* jpeg, std::size_t size, std::vector<std::uint8_t>& bgr,
                   int& width, int& height, bool smoothChroma = true);

    struct State;  // the decompressor and where its errors jump to

  private:
    std::unique_ptr<State> state_;
};

}  // namespace orvik
