// The frames check reads, in the order it reads them: frame files as given, and of each
// folder given the frames asked for (AskedFrames). A folder's frames stay the scan's
// records, named only when they are read, so that a recording of millions of frames costs
// what its records cost and no path string each.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "library/asked_frames.h"
#include "platform/status.h"

namespace orvik {

class CheckFrames {
  public:
    // Adds the frames of the folder at path captured within range: a date folder's alone,
    // or those of a root. Fails, adding nothing, when it cannot be read (ReadAskedRecording).
    Status AddFolder(const std::string& path, const CaptureRange& range);
    void AddFile(std::string path);

    std::size_t Count() const { return pieces_.empty() ? 0 : pieces_.back().end; }
    // The path of frame index, by which it is opened. Safe to call from several threads at
    // once: it reads the records and writes nothing.
    std::string PathOf(std::size_t index) const;

  private:
    // A folder's run of frames, or one frame file; frames up to end (not included) lie in
    // it and the pieces before it.
    struct Piece {
        std::size_t end;
        FolderRun run;     // run.folder none for a frame file
        std::string file;  // the frame file's path
    };
    void Append(Piece piece, std::size_t count);

    std::vector<std::unique_ptr<AskedFrames>> folders_;
    std::vector<Piece> pieces_;
};

}  // namespace orvik
