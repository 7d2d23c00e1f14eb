// Where the outputs of decode and jpeg go: with one frame, OUT itself (a file, or standard
// output for "-"); with several, or when OUT is an existing folder, the folder OUT, each
// output named after its frame with the output's extension. No output overwrites another
// output of the same run.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "library/frame_reader.h"

namespace orvik {

class OutputTargets {
  public:
    OutputTargets(std::string out, std::size_t frameCount);

    bool IntoFolder() const { return intoFolder_; }
    // The usage error of this OUT for that many frames; empty when there is none.
    std::string UsageError() const;
    // Makes the folder when it is missing; false, with a message, when that fails.
    bool Prepare() const;

    // The output path for framePath; empty, with a message, when an earlier frame of the
    // run already took it.
    std::string PathFor(const std::string& framePath, const char* extension);

  private:
    std::string out_;
    std::size_t frameCount_;
    bool intoFolder_;
    std::set<std::string> taken_;
};

// Writes bytes to path, or to standard output for "-". False, with a message, on failure.
bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes);

// What is made of one frame read without refusal: its output (empty: none) and a note
// about the frame (empty: none), printed on standard error before the output is written.
struct FrameOutput {
    std::vector<std::uint8_t> bytes;
    std::string note;
};

// One output per frame: reads each of frames to depth and writes what makeOutput makes of
// it. Frames are read, and makeOutput called, on jobs threads, each with a reader of its
// own from makeReader; messages and outputs come in the frames' order whatever jobs is. A
// frame the reader refuses, or whose output path an earlier frame took, is reported and
// has no output. True when every frame got its output.
bool WriteEachFrame(const std::vector<std::string>& frames, OutputTargets& targets, int jobs,
                    const std::function<std::unique_ptr<FrameReader>()>& makeReader,
                    DecodeDepth depth, const char* extension,
                    const std::function<FrameOutput(const std::string& frame,
                                                    const FrameReader& reader)>& makeOutput);

}  // namespace orvik
