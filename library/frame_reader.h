// FrameReader: the one frame loader. It reads one frame file whole and decodes it, for the
// viewer (through CMavFileManager::LoadFrame), orvik-frame and the clip export alike, and
// says why a frame is not shown. The checks come in this order: the file must open, be
// longer than the 545-byte header and fit the file buffer, name a picture size the decoder
// makes, and pass the decoder's end test. A frame that fails leaves the picture as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "colour/colour_matrix.h"
#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"
#include "platform/zeroed_bytes.h"

namespace orvik {

// 1280 x 1024 x 3: the largest frame file read.
inline constexpr std::size_t kFileBufferBytes = 3932160;
// 1280 x 1024 x 3 + 300: the largest picture, in either row layout.
inline constexpr std::size_t kPictureBitsBytes = 3932460;

enum class FrameRefusal {
    kNone,
    kCannotOpen,  // no such file, or it cannot be opened
    kUnreadable,  // opened, but reading it failed
    kTooShort,
    kTooLarge,
    kRefusedSize,
    kBadEndMarker,
};

// What reading one frame found out.
struct FrameFacts {
    FrameRefusal refusal = FrameRefusal::kNone;
    int errorCode = 0;           // errno of the failed open or read
    std::uint64_t fileSize = 0;  // known unless unreadable
    bool headerRead = false;     // size and quantisers below are known
    FrameSize size;
    std::uint8_t lumaQuantiser = 0;    // first entry of quantisation table 0
    std::uint8_t chromaQuantiser = 0;  // first entry of quantisation table 1
};

// "too short", "unreadable (No such file or directory)", ...
std::string RefusalText(const FrameFacts& facts);

// How far a frame is taken: its luma DC picture alone (the Huffman pass, enough for the end
// test and for measuring activity), the planes, or on to the picture.
enum class DecodeDepth { kLumaDc, kPlanes, kPicture };

class FrameReader {
  public:
    // variant is the decoder's for the reader's life (none: the processor's choice); the
    // adjustments are limited to 0..99 as the viewer limits them.
    FrameReader(std::optional<DecoderVariant> variant, const PictureAdjustments& adjustments);
    ~FrameReader();
    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    FrameFacts Read(const char* path, DecodeDepth depth);

    // Takes new adjustments, limited to 0..99, and rebuilds the colour matrix for the reads
    // that follow.
    void SetAdjustments(const PictureAdjustments& adjustments);
    // Zeroes the whole picture buffer, row padding and all.
    void BlankPicture();
    // Called with the old size just before a frame of another size rebuilds the decoder.
    std::function<void(int width, int height)> sizeChanging;

    // Of the frame last read without refusal: its file bytes, its planes (Y, then U, then
    // V) and its picture (bottom row first, PictureStride bytes a row; after kPicture only).
    std::span<const std::uint8_t> FileBytes() const;
    std::span<const std::uint8_t> Planes() const;
    std::span<const std::uint8_t> Picture() const;
    // Of the frame last read at kLumaDc without refusal: one sample an 8x8 Y block, row by
    // row (Width() / 8 a row, Height() / 8 rows).
    std::span<const std::uint8_t> LumaDc() const;
    std::size_t PictureStride() const;
    int Width() const { return DecoderWidth(decoder_); }
    int Height() const { return DecoderHeight(decoder_); }
    const DecoderContext& Decoder() const { return decoder_; }

  private:
    DecoderContext decoder_;
    ZeroedBytes fileBuffer_;
    ZeroedBytes picture_;  // zeroed once: row padding stays 0
    ZeroedBytes lumaDc_;
    std::size_t fileSize_ = 0;
};

}  // namespace orvik
