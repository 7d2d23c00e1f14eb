// A small recording in a temporary folder for the robustness tests, with its frames made
// from generated pictures, and a clip library object of a chosen variant to view it with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/file_manager.h"
#include "testing/support/temp_tree.h"
#include "tests/robustness/damaged_frames.h"

namespace orvik::test {

inline constexpr int kFrameWidth = 64;
inline constexpr int kFrameHeight = 32;

// A frame of kFrameWidth x kFrameHeight from the generated picture of this seed.
Bytes GoodFrame(std::uint32_t seed);

// The picture that the library shows for `frame`: it is loaded by a fresh object of the
// variant, whose pictureBits then hold it.
Bytes PictureOf(const Bytes& frame, DecoderVariant variant);

// A clip library object built under the given variant (the variant stays chosen for the
// process until the next call).
std::unique_ptr<CMavFileManager> MakeManager(DecoderVariant variant);

// The picture region of pictureBits for the object's current size.
Bytes ShownPicture(const CMavFileManager& manager);

}  // namespace orvik::test
