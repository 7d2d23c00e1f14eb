#include "tools/frame/output_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/last_error.h"
#include "tools/frame/frames_in_order.h"

namespace orvik {
namespace {

constexpr char kStandardOutput[] = "-";

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

void PrintWriteError(const std::string& path, int code) {
    std::fprintf(stderr, "orvik-frame: %s: cannot be written (%s)\n", path.c_str(),
                 ErrorText(code).c_str());
}

}  // namespace

OutputTargets::OutputTargets(std::string out, std::size_t frameCount)
    : out_(std::move(out)),
      frameCount_(frameCount),
      intoFolder_(out_ != kStandardOutput && (frameCount > 1 || IsFolder(out_))) {}

std::string OutputTargets::UsageError() const {
    if (frameCount_ > 1 && out_ == kStandardOutput) {
        return "-o - takes one FRAME only";
    }
    std::error_code error;
    if (intoFolder_ && std::filesystem::exists(out_, error) && !IsFolder(out_)) {
        return "-o " + out_ + " must be a folder for several frames";
    }
    return {};
}

bool OutputTargets::Prepare() const {
    std::error_code error;
    if (intoFolder_ && !IsFolder(out_) && !std::filesystem::create_directories(out_, error)) {
        std::fprintf(stderr, "orvik-frame: %s: folder cannot be made (%s)\n", out_.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

std::string OutputTargets::PathFor(const std::string& framePath, const char* extension) {
    if (!intoFolder_) {
        return out_;
    }
    const std::filesystem::path frameName = std::filesystem::path(framePath).filename();
    const std::string name = frameName.stem().string() + "." + extension;
    if (!taken_.insert(name).second) {
        std::fprintf(stderr,
                     "orvik-frame: %s: its output %s was already written for another frame\n",
                     framePath.c_str(), name.c_str());
        return {};
    }
    return (std::filesystem::path(out_) / name).string();
}

bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path == kStandardOutput) {
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            PrintWriteError("standard output", errno);
            return false;
        }
        return true;
    }
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    if (file == nullptr) {
        PrintWriteError(path, errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    // Closing flushes: a full disk may only show there. A cut-off output is not left behind.
    if (!written || std::fclose(file.release()) != 0) {
        const int code = errno;
        file.reset();
        std::remove(path.c_str());
        PrintWriteError(path, code);
        return false;
    }
    return true;
}

bool WriteEachFrame(const std::vector<std::string>& frames, OutputTargets& targets, int jobs,
                    const std::function<std::unique_ptr<FrameReader>()>& makeReader,
                    DecodeDepth depth, const char* extension,
                    const std::function<FrameOutput(const std::string& frame,
                                                    const FrameReader& reader)>& makeOutput) {
    struct FrameRead {
        FrameFacts facts;
        FrameOutput output;
    };
    bool allWritten = true;
    ReadFramesInOrder<FrameRead>(
        frames.size(), jobs, makeReader,
        [&](FrameReader& reader, std::size_t i) {
            FrameRead read{reader.Read(frames[i].c_str(), depth), {}};
            if (read.facts.refusal == FrameRefusal::kNone) {
                read.output = makeOutput(frames[i], reader);
            }
            return read;
        },
        [&](std::size_t i, FrameRead read) {
            const std::string& frame = frames[i];
            const std::string outPath = targets.PathFor(frame, extension);
            if (outPath.empty()) {
                allWritten = false;
                return;
            }
            if (read.facts.refusal != FrameRefusal::kNone) {
                std::fprintf(stderr, "orvik-frame: %s: refused: %s\n", frame.c_str(),
                             RefusalText(read.facts).c_str());
                allWritten = false;
                return;
            }
            if (!read.output.note.empty()) {
                std::fprintf(stderr, "orvik-frame: %s: %s\n", frame.c_str(),
                             read.output.note.c_str());
            }
            const std::vector<std::uint8_t>& bytes = read.output.bytes;
            allWritten = !bytes.empty() && WriteOutput(outPath, bytes) && allWritten;
        });
    return allWritten;
}

}  // namespace orvik
