#include "tools/frame/check_frames.h"

#include <algorithm>

#include "tools/frame/recording_scan.h"

namespace orvik {

Status CheckFrames::AddFolder(const std::string& path, const CaptureRange& range) {
    auto asked = std::make_unique<AskedFrames>();
    if (Status read = ReadAskedRecording(*asked, path, range); !read.Ok()) {
        return read;
    }
    for (const FolderRun& run : asked->Runs()) {
        Append(Piece{0, run, {}}, static_cast<std::size_t>(run.count));
    }
    folders_.push_back(std::move(asked));
    return Status();
}

void CheckFrames::AddFile(std::string path) {
    Append(Piece{0, {}, std::move(path)}, 1);
}

void CheckFrames::Append(Piece piece, std::size_t count) {
    piece.end = Count() + count;
    pieces_.push_back(std::move(piece));
}

std::string CheckFrames::PathOf(std::size_t index) const {
    const auto piece =
        std::upper_bound(pieces_.begin(), pieces_.end(), index,
                         [](std::size_t i, const Piece& candidate) { return i < candidate.end; });
    if (piece == pieces_.end()) {
        return {};
    }
    if (piece->run.folder == nullptr) {
        return piece->file;
    }
    const std::size_t start = piece->end - static_cast<std::size_t>(piece->run.count);
    const CMavFolder& folder = *piece->run.folder;
    return FramePath(folder,
                     *folder.GetFile(piece->run.first + static_cast<std::int32_t>(index - start)));
}

}  // namespace orvik
