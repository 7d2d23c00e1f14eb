// Range fuzzer: the export's choice of frames over generated names. A made-up recording
// (date folders and frame files whose names the fuzzer spells, some not digits at all, some
// past midnight or hour 24, some folders that cannot be listed) is read two ways for a
// range of capture times: the viewer's whole scan, and the reading that lists only the
// folders whose names can hold frames of the range (what orvik-frame check and export do).
// Both must give the same frames, and the export's choice from them must be the frames
// within the range in capture-time order. Any broken rule aborts.
//
// Input, read front to back (FuzzInput gives 0 past the end):
//   the path asked for: the root, or one of its entries;
//   each end of the range: none, a typed text, or a named frame's moment moved a little;
//   the root's entries, each a folder (or a file) with a generated name and its frames.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "export/clip_frames.h"
#include "fuzz/fuzz_input.h"
#include "library/asked_frames.h"
#include "library/file_manager.h"
#include "library/name_keys.h"
#include "library/recorded_frames.h"
#include "platform/path_capacity.h"
#include "testing/support/fake_listings.h"

namespace {

using orvik::CaptureMoment;
using orvik::RecordedFrame;
using orvik::fuzz::FuzzInput;

constexpr char kRoot[] = "/rec";
constexpr std::size_t kMaxFolders = 8;
constexpr std::size_t kMaxFrames = 12;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "range_fuzz: %s\n", what);
        std::abort();
    }
}

// Digits most of the time (a digit byte as itself, so seeds read as text), so that names
// make keys; now and then any byte but '/' and 0.
std::string Spelled(FuzzInput& in, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = in.Byte();
        char c = static_cast<char>(byte & 0x7F);
        if (byte >= '0' && byte <= '9') {
            c = static_cast<char>(byte);
        } else if (byte < 0xF0) {
            c = static_cast<char>('0' + byte % 10);
        }
        text += c == '/' || c == '\0' ? '_' : c;
    }
    return text;
}

// "YYMMDDHH" and now and then a tail; a name whose key is out of bounds is no date folder.
std::string FolderName(FuzzInput& in) {
    std::string name = Spelled(in, 8);
    if (in.Bit()) {
        name += "_" + Spelled(in, 2);
    }
    return name;
}

// "CAMHHMMSSCC.JPG", lower case now and then.
std::string FrameName(FuzzInput& in) {
    const bool lower = in.Bit();
    return (lower ? "cam" : "CAM") + Spelled(in, 1) + Spelled(in, 8) + (lower ? ".jpg" : ".JPG");
}

void MakeTree(FuzzInput& in, orvik::test::FakeListings& listings, std::vector<std::string>& names) {
    listings.anyOtherFolder = orvik::test::FakeFolder{};  // never the file system's
    orvik::test::FakeFolder& root = listings[kRoot];
    root.entries = {{".", true, 0}, {"..", true, 0}};
    const std::size_t folders = in.Byte() % (kMaxFolders + 1);
    for (std::size_t f = 0; f < folders; ++f) {
        const std::uint8_t how = in.Byte();
        const std::string name = FolderName(in);
        root.entries.push_back({name, (how & 1) == 0, 0});
        names.push_back(name);
        orvik::test::FakeFolder& folder = listings[std::string(kRoot) + "/" + name];
        folder.openError = (how & 0x0E) == 0x02 ? EACCES : 0;
        folder.stopCode = (how & 0x70) == 0x10 ? EIO : 0;
        const std::size_t frames = in.Byte() % (kMaxFrames + 1);
        for (std::size_t i = 0; i < frames; ++i) {
            const bool header = (in.Byte() & 0x0F) == 0;  // a file too small to be a frame
            folder.entries.push_back({FrameName(in), false, header ? 545u : 600u});
        }
    }
}

// An end of the range: none, a typed time, or a moment near one the names spell.
std::optional<CaptureMoment> RangeEnd(FuzzInput& in, int defaultHundredths) {
    const std::uint8_t how = in.Byte();
    switch (how % 3) {
        case 0:
            return std::nullopt;
        case 1: {
            const auto typed = orvik::ParseCaptureTime(in.Text(24), defaultHundredths);
            return typed ? std::optional(orvik::MomentOf(*typed)) : std::nullopt;
        }
        default: {
            const std::string folder = Spelled(in, 8);
            const std::string file = "CAM" + Spelled(in, 9);
            const auto step = static_cast<std::int8_t>(in.Byte());
            const CaptureMoment scale = (how & 4) != 0 ? 360000 : 1;  // hours or hundredths
            return orvik::MomentOf(orvik::DateKeyOfName(folder), orvik::TimeKeyOfName(file)) +
                   step * scale;
        }
    }
}

struct Frame {
    std::string path;
    CaptureMoment moment;
    bool namesSpellTime;
    bool operator==(const Frame&) const = default;
};

std::vector<Frame> Plain(const std::vector<RecordedFrame>& frames) {
    std::vector<Frame> plain;
    for (const RecordedFrame& frame : frames) {
        plain.push_back({frame.path, frame.moment, frame.namesSpellTime});
    }
    return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t pick = in.Byte();
    orvik::CaptureRange range;
    range.from = RangeEnd(in, 0);
    range.to = RangeEnd(in, 99);
    orvik::test::FakeListings listings;
    std::vector<std::string> names;
    MakeTree(in, listings, names);
    const std::string path = pick == 0 || names.empty()
                                 ? std::string(kRoot)
                                 : std::string(kRoot) + "/" + names[pick % names.size()];

    // The whole scan, and the date folder asked for found by its path. One manager for
    // every input: it holds the frame reader's buffers, whose making would take most of
    // the time, and each scan starts its records afresh.
    static orvik::CMavFileManager manager;
    char buffer[orvik::kPathCapacity];
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
    const int scanned = manager.ScanFolderTree(buffer);
    const std::vector<RecordedFrame> whole =
        orvik::RecordedFrames(manager.Folders(), path == manager.RootPath() ? "" : path);

    orvik::AskedFrames asked;
    Check(asked.Read(path.c_str(), range) == scanned, "the readings end differently");
    const std::vector<RecordedFrame> read = orvik::RecordedFrames(asked.Runs());
    Check(read.size() == asked.FrameCount(), "the frame count is not the runs'");

    const orvik::ClipRange clipRange{range.from, range.to};
    const std::vector<Frame> chosen = Plain(orvik::ChooseClipFrames(whole, clipRange));
    Check(Plain(orvik::ChooseClipFrames(read, clipRange)) == chosen,
          "the folders read give other frames than the whole scan");
    // The choice: every frame within the range, once, by moment, equal moments in the
    // records' order.
    std::vector<Frame> model;
    for (const RecordedFrame& frame : whole) {
        if (range.Holds(frame.moment)) {
            model.push_back({frame.path, frame.moment, frame.namesSpellTime});
        }
    }
    Check(Plain(read) == model, "the folders read give other frames than the whole scan's");
    std::stable_sort(model.begin(), model.end(),
                     [](const Frame& a, const Frame& b) { return a.moment < b.moment; });
    Check(chosen == model, "the choice is not the frames within the range in time order");
    return 0;
}
