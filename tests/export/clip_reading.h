// A clip read back with libavformat and libavcodec, as a player reads it: its container
// and codec, every packet in file order with its time and data, and its pictures decoded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvik::test {

using Bytes = std::vector<std::uint8_t>;

struct ClipPacket {
    std::int64_t milliseconds = 0;  // presentation time
    Bytes data;
};

struct ReadClip {
    std::string container;  // libavformat's name for it
    std::string codec;      // "mjpeg", "h264"
    int width = 0;
    int height = 0;
    // What a player shows as the clip's length: the file's (an MP4's from its edit list),
    // and the stream's where the container keeps one; in milliseconds.
    std::optional<std::int64_t> milliseconds;
    std::optional<std::int64_t> streamMilliseconds;
    std::vector<ClipPacket> packets;
};

// None when the file cannot be opened or holds no video stream.
std::optional<ReadClip> ReadClipFile(const std::string& path);

// Every picture of the clip in presentation order as B, G, R bytes, top row first.
std::vector<Bytes> DecodeClipPictures(const std::string& path);

// Peak signal-to-noise ratio of two pictures of the same size, in dB.
double Psnr(const Bytes& a, const Bytes& b);

}  // namespace orvik::test
