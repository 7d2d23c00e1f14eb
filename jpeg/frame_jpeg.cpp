#include "jpeg/frame_jpeg.h"

#include <algorithm>

#include "decoder/frame_format.h"
#include "jpeg/exif_segment.h"
#include "jpeg/jpeg_segments.h"

namespace orvik {
namespace {

constexpr std::uint8_t kStuffing = 0x00;
constexpr std::size_t kLumaTableAt = kQuantSegmentsOffset + 5;  // 379
constexpr std::size_t kChromaTableAt = kLumaTableAt + 69;       // 448

}  // namespace

std::vector<std::uint8_t> RewrapAsJpeg(const std::uint8_t* frame, std::size_t size) {
    const FrameSize frameSize = ReadFrameSize(frame);
    std::size_t codedEnd = size;
    if (size >= kFrameHeaderSize + 2 && frame[size - 2] == kJpegMarker &&
        frame[size - 1] == kEndOfImage) {
        codedEnd = size - 2;
    }
    std::vector<std::uint8_t> jpeg;
    jpeg.reserve(size + 400);
    PutJpegMarker(jpeg, kStartOfImage);
    PutQuantSegment(jpeg, 0, frame + kLumaTableAt);
    PutQuantSegment(jpeg, 1, frame + kChromaTableAt);
    PutFrameHeader(jpeg, frameSize.width, frameSize.height);
    PutDefaultHuffmanTables(jpeg);
    PutScanHeader(jpeg);
    jpeg.insert(jpeg.end(), frame + kFrameHeaderSize, frame + std::max(codedEnd, kFrameHeaderSize));
    PutJpegMarker(jpeg, kEndOfImage);
    return jpeg;
}

// In the coded data every 0xFF data byte is followed by 0x00, so the first 0xFF 0xD9
// outside such a pair is the marker.
std::size_t FrameEnd(std::span<const std::uint8_t> frame) {
    for (std::size_t at = kFrameHeaderSize; at + 1 < frame.size(); ++at) {
        if (frame[at] != kJpegMarker) {
            continue;
        }
        if (frame[at + 1] == kEndOfImage) {
            return at + 2;
        }
        if (frame[at + 1] == kStuffing) {
            ++at;
        }
    }
    return frame.size();
}

std::vector<std::uint8_t> FrameAsJpeg(std::span<const std::uint8_t> frame,
                                      const std::optional<CaptureTime>& time) {
    std::vector<std::uint8_t> jpeg = RewrapAsJpeg(frame.data(), FrameEnd(frame));
    if (time) {
        InsertAfterStartOfImage(jpeg, ExifSegment(*time));
    }
    return jpeg;
}

}  // namespace orvik
