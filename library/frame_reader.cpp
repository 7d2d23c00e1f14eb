#include "library/frame_reader.h"

#include <algorithm>
#include <cerrno>

#include "decoder/dc_only.h"
#include "decoder/decode_frame.h"
#include "platform/last_error.h"
#include "platform/read_only_file.h"

namespace orvik {
namespace {

// Offsets of the two tables' first quantisers: each segment's marker, length and
// identifier byte come before its 64 values.
constexpr std::size_t kLumaQuantiserOffset = 379;
constexpr std::size_t kChromaQuantiserOffset = 448;

// The size the decoder is first set up for, as in the viewer; the first frame of another
// size rebuilds it.
constexpr int kStartWidth = 640;
constexpr int kStartHeight = 480;

}  // namespace

std::string RefusalText(const FrameFacts& facts) {
    switch (facts.refusal) {
        case FrameRefusal::kNone:
            return "ok";
        case FrameRefusal::kCannotOpen:
        case FrameRefusal::kUnreadable: {
            const std::string reason = ErrorText(facts.errorCode);
            return reason.empty() ? "unreadable" : "unreadable (" + reason + ")";
        }
        case FrameRefusal::kTooShort:
            return "too short";
        case FrameRefusal::kTooLarge:
            return "too large";
        case FrameRefusal::kRefusedSize:
            return "refused size";
        case FrameRefusal::kBadEndMarker:
            return "bad end marker";
    }
    return "refused";
}

FrameReader::FrameReader(std::optional<DecoderVariant> variant,
                         const PictureAdjustments& adjustments)
    : decoder_(variant.value_or(ProcessorVariant())),
      fileBuffer_(MakeZeroedBytes(kFileBufferBytes)),
      picture_(MakeZeroedBytes(kPictureBitsBytes)),
      lumaDc_(MakeZeroedBytes(kMaxLumaDcSamples)) {
    InitDecoder(decoder_, kStartWidth, kStartHeight);
    SetAdjustments(adjustments);
}

void FrameReader::SetAdjustments(const PictureAdjustments& adjustments) {
    StorePictureAdjustments(decoder_, adjustments);
    BuildColourMatrix(decoder_);
}

void FrameReader::BlankPicture() {
    std::fill_n(picture_.get(), kPictureBitsBytes, std::uint8_t{0});
}

FrameReader::~FrameReader() {
    FreeDecoder(decoder_);
}

FrameFacts FrameReader::Read(const char* path, DecodeDepth depth) {
    FrameFacts facts;
    fileSize_ = 0;
    ReadOnlyFile file;
    errno = 0;
    if (!file.Open(path)) {
        facts.refusal = FrameRefusal::kCannotOpen;
        facts.errorCode = errno;
        return facts;
    }
    facts.fileSize = file.Size();
    if (facts.fileSize <= kFrameHeaderSize) {
        facts.refusal = FrameRefusal::kTooShort;
        return facts;
    }
    if (facts.fileSize > kFileBufferBytes) {
        facts.refusal = FrameRefusal::kTooLarge;
        return facts;
    }
    errno = 0;
    if (!file.ReadAll(fileBuffer_.get(), kFileBufferBytes)) {
        facts.refusal = FrameRefusal::kUnreadable;
        facts.errorCode = errno;
        return facts;
    }
    const std::uint8_t* bytes = fileBuffer_.get();
    facts.headerRead = true;
    facts.size = ReadFrameSize(bytes);
    facts.lumaQuantiser = bytes[kLumaQuantiserOffset];
    facts.chromaQuantiser = bytes[kChromaQuantiserOffset];
    if (!PictureSizeSupported(facts.size.width, facts.size.height)) {
        facts.refusal = FrameRefusal::kRefusedSize;
        return facts;
    }
    if (facts.size.width != Width() || facts.size.height != Height()) {
        if (sizeChanging) {
            sizeChanging(Width(), Height());
        }
        ResetDecoder(decoder_, facts.size.width, facts.size.height);
    }
    LoadFrameTables(decoder_, bytes + kQuantSegmentsOffset);
    const std::uint8_t* coded = bytes + kFrameHeaderSize;
    const auto codedLength = static_cast<std::int32_t>(facts.fileSize - kFrameHeaderSize);
    bool decoded = false;
    switch (depth) {
        case DecodeDepth::kLumaDc:
            decoded = DecodeLumaDc(decoder_, coded, codedLength, lumaDc_.get()).endTestPassed;
            break;
        case DecodeDepth::kPlanes:
            decoded = DecodeFramePlanes(decoder_, coded, codedLength).endTestPassed;
            break;
        case DecodeDepth::kPicture:
            decoded = DecodeFrame(decoder_, coded, codedLength, picture_.get()) == 1;
            break;
    }
    if (!decoded) {
        facts.refusal = FrameRefusal::kBadEndMarker;
        return facts;
    }
    fileSize_ = static_cast<std::size_t>(facts.fileSize);
    return facts;
}

std::span<const std::uint8_t> FrameReader::FileBytes() const {
    return {fileBuffer_.get(), fileSize_};
}

std::span<const std::uint8_t> FrameReader::Planes() const {
    return {decoder_.planes.get(), static_cast<std::size_t>(2 * Width() * Height())};
}

std::span<const std::uint8_t> FrameReader::Picture() const {
    return {picture_.get(), PictureStride() * static_cast<std::size_t>(Height())};
}

std::span<const std::uint8_t> FrameReader::LumaDc() const {
    return {lumaDc_.get(), static_cast<std::size_t>(Width() / 8 * (Height() / 8))};
}

std::size_t FrameReader::PictureStride() const {
    return orvik::PictureStride(decoder_.variant, Width());
}

}  // namespace orvik
