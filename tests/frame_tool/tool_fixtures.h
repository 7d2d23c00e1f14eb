// What the orvik-frame tests share: generated frames and damaged copies of them, a fresh
// temporary tree with an empty settings store for each test, the tool run on it, and the
// viewer's own frame loader for the expected pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_matrix.h"
#include "decoder/decoder_context.h"
#include "testing/decoder/frame_bytes.h"
#include "testing/support/temp_tree.h"
#include "tests/frame_tool/tool_process.h"

namespace orvik::test {

using Bytes = std::vector<std::uint8_t>;

// A frame of a generated photograph-like picture.
Bytes Frame(int width, int height, std::uint32_t seed = 1, int quality = 75);
// The frame whose two bytes after the coded data are 0xFF 0xD8 instead of 0xFF 0xD9.
Bytes WithBadEndMarker(Bytes frame);

Bytes ReadBytes(const std::string& path);

// "CAM1" + HHMMSSCC + ".JPG", the recorder's name for a frame captured at that time.
std::string FrameName(int hours, int minutes, int seconds, int hundredths = 0);

// The viewer's loader on one frame: CMavFileManager::LoadFrame after
// SetPictureAdjustments, with the variant chosen first (none: the processor's choice).
struct ViewerFrame {
    Bytes picture;  // pictureBits, the rows of the picture (stride x height bytes)
    Bytes planes;   // the decoder's Y, U, V planes
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};
ViewerFrame LoadInViewer(const std::string& path, const PictureAdjustments& adjustments,
                         std::optional<DecoderVariant> variant);

class FrameToolTest : public ::testing::Test {
  protected:
    FrameToolTest() { tree.MakeFolder("config"); }

    ToolRun Run(const std::vector<std::string>& arguments) const {
        return RunTool(arguments, tree.Path("config"));
    }
    // The tool started in the tree's root, for relative paths.
    ToolRun RunInRoot(const std::vector<std::string>& arguments) const {
        return RunTool(arguments, tree.Path("config"), tree.Root());
    }
    // Writes the stored colour settings that the tool reads by default.
    void StoreSettings(const PictureAdjustments& adjustments) const;

    TempTree tree;
};

}  // namespace orvik::test
