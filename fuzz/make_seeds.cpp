// Writes a seed corpus for each fuzzer into <out>/frame, <out>/scan, <out>/capture_time,
// <out>/range and <out>/settings: frames made by the frame writer from generated pictures,
// small recordings in the scan and range fuzzers' input forms, typed and named times, and
// settings files as the store writes them and as hands edit them.
// Usage: fuzz_seeds <out>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The frame fuzzer's prefix (variant and reload flags, four adjustments) and a frame file.
Bytes FrameSeed(int flags, int width, int height, int quality, std::uint32_t seed) {
    Bytes bytes = {static_cast<std::uint8_t>(flags), 80, 70, 49, 49};
    const Bytes picture = orvik::MakeTestPicture(width, height, seed);
    const Bytes frame = orvik::EncodeFrame(picture.data(), width, height, quality);
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

void Append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
}

void AppendLong(Bytes& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// One listing in the scan fuzzer's form: how it opens and ends, then its entries.
struct SeedEntry {
    std::uint8_t flags;  // bit 0 directory, bit 1 on disk
    std::string name;
    std::uint32_t size;
};
void AppendListing(Bytes& bytes, const std::vector<SeedEntry>& entries) {
    bytes.push_back(0);  // opens, ends normally
    bytes.push_back(static_cast<std::uint8_t>(entries.size()));
    for (const SeedEntry& entry : entries) {
        bytes.push_back(entry.flags);
        Append(bytes, entry.name);
        AppendLong(bytes, entry.size);
    }
}

// A recording of two date folders of three frames each, on disk, then the calls of a
// viewing session: first frame, forward play to the end, next folder, backward play,
// previous folder, a search and a jump.
Bytes ScanSeed(bool pickDateFolder) {
    Bytes bytes;
    bytes.push_back(pickDateFolder ? 1 : 0);
    Append(bytes, "26030512");
    const std::vector<SeedEntry> frames1 = {{2, "cam112000000.jpg", 30000},
                                            {2, "cam112000050.jpg", 30000},
                                            {2, "cam112000120.jpg", 30000}};
    const std::vector<SeedEntry> frames2 = {{2, "CAM113000000.JPG", 30000},
                                            {2, "CAM113003000.JPG", 30000},
                                            {2, "short.jpg", 30000},
                                            {2, "CAM113003100.JPG", 545}};
    AppendListing(bytes, {{3, ".", 0},
                          {3, "..", 0},
                          {3, "26030512", 0},
                          {3, "26030513x", 0},
                          {2, "260305120000.jpg", 30000}});
    AppendListing(bytes, {});  // "." and ".." have no listing of their own
    AppendListing(bytes, {});
    AppendListing(bytes, frames1);
    AppendListing(bytes, frames2);
    const std::uint8_t calls[] = {0, 1, 2, 2, 0x72, 0x72, 2, 2, 4, 1, 3, 0x73, 3, 3, 5, 8, 9};
    bytes.insert(bytes.end(), std::begin(calls), std::end(calls));
    bytes.push_back(7);  // search
    AppendLong(bytes, 26030513);
    AppendLong(bytes, 13 * 360000 + 2000);
    bytes.push_back(6);  // go to file 1
    bytes.push_back(0);
    bytes.push_back(1);
    bytes.push_back(10);  // scan again
    return bytes;
}

// The capture-time fuzzer's input: default hundredths, a typed text, a folder and a file name.
Bytes CaptureTimeSeed(int hundredths, const std::string& typed, const std::string& folder,
                      const std::string& file) {
    Bytes bytes = {static_cast<std::uint8_t>(hundredths)};
    Append(bytes, typed);
    Append(bytes, folder);
    Append(bytes, file);
    return bytes;
}

// The range fuzzer's input: the root asked for, from a typed time to an hour after a named
// frame, over two date folders (one whose frames run past midnight) and a folder of a day
// the range cannot hold.
Bytes RangeSeed() {
    Bytes bytes = {0};
    bytes.push_back(1);  // from: typed
    Append(bytes, "2026/03/05 12:00:00.50");
    bytes.push_back(5);  // to: a named moment (5 % 3 == 2), moved by hours (bit 2)
    for (const char c : std::string("26030512") + "113000000") {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    bytes.push_back(1);  // one hour later
    bytes.push_back(3);  // three folders
    const auto folder = [&bytes](const std::string& name, const std::vector<std::string>& frames) {
        bytes.push_back(0);  // a listed folder
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);  // no tail
        bytes.push_back(static_cast<std::uint8_t>(frames.size()));
        for (const std::string& frame : frames) {
            bytes.push_back(1);  // a whole frame
            bytes.push_back(0);  // upper case
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
    };
    folder("26030512", {"112000000", "112000050", "112000120", "113003000"});
    folder("26030423", {"123595999", "125000000"});  // hour 25: the next day
    folder("26030800", {"100000000"});
    return bytes;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <out>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];

    struct FrameCase {
        int width, height, quality;
    };
    const FrameCase frames[] = {{16, 8, 75},    {32, 16, 90},   {48, 24, 50}, {64, 64, 100},
                                {160, 120, 30}, {320, 240, 10}, {640, 480, 5}};
    std::uint32_t seed = 1;
    for (const FrameCase& c : frames) {
        for (int flags = 0; flags < 8; ++flags) {
            Write(out / "frame",
                  "frame_" + std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
                      std::to_string(flags),
                  FrameSeed(flags, c.width, c.height, c.quality, seed++));
        }
    }

    Write(out / "scan", "root", ScanSeed(false));
    Write(out / "scan", "date_folder", ScanSeed(true));

    Write(out / "capture_time", "typed",
          CaptureTimeSeed(0, "2024/02/29 23:59:59", "24022923", "CAM123595999.JPG"));
    Write(out / "capture_time", "hundredths",
          CaptureTimeSeed(99, "2099/12/31 00:00:00.07", "99123023", "cam100000007.jpg"));
    Write(out / "capture_time", "past_midnight",
          CaptureTimeSeed(50, "2023/02/29 12:00:00", "23022812", "CAM199595999.JPG"));
    Write(out / "range", "two_days", RangeSeed());

    Write(out / "settings", "written",
          Text("[General]\nBrightness=80\nContrast=70\nHue=49\nSaturation=49\n"));
    Write(out / "settings", "edited",
          Text("; edited\n[General]\r\nBrightness = -12\r\nHue=2147483647\n[Other]\nContrast=5\n"
               "Saturation=0x10\n"));
    Write(out / "settings", "before_section", Text("Contrast=99\nSaturation=+7\n[General]\n"));
    return 0;
}
