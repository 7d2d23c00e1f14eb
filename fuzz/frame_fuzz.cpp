// Frame fuzzer: the input is one frame file, loaded by the clip library's LoadFrame from an
// in-memory file (so the size checks, the header's picture size, the decoder rebuild, the
// quantisation tables, the decode and the conversion all run as in the viewer).
//
// Input: byte 0 picks the variant (bit 0: the packed one, else the scalar one), whether
// the frame is loaded a second time at the same size (bit 1) and whether its coded data are
// decoded once more and held to the bit-by-bit reference decoder of the decoder tests
// (bit 2: the end test must pass exactly when the reference ends at the end marker, and
// an invalid code must be met exactly when the reference meets one); bytes 1 to 4 are the
// four picture adjustments; the rest is the file. There is one manager for each variant,
// each built with its own; they live across inputs, as the viewer's does across frames, so
// an input may meet the decoder set up for the size of the one before it. Going back to the
// construction size for every input would rebuild the decoder twice an input and cost three
// quarters of the run (measured: 106 against 383 inputs a second); a crash that needs the size
// before it still shows its stack.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decoder/decode_frame.h"
#include "decoder/decoder_tables.h"
#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "testing/decoder/bitwise_reference.h"

namespace {

constexpr std::size_t kPrefixBytes = 5;

int memoryFile = -1;
char memoryPath[64];

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "frame_fuzz: %s\n", what);
        std::abort();
    }
}

// The manager of the variant, made at its first use and kept for the run.
orvik::CMavFileManager& Manager(orvik::DecoderVariant variant) {
    static orvik::CMavFileManager packed(orvik::DecoderVariant::kPacked);
    static orvik::CMavFileManager scalar(orvik::DecoderVariant::kScalar);
    return variant == orvik::DecoderVariant::kPacked ? packed : scalar;
}

// The decoder's verdict on a frame file against the reference's, for a frame that the
// loader hands to the decoder: decoded here on a decoder of its own, of the same variant and
// set up as the loader sets up its own.
void CheckAgainstReference(orvik::DecoderVariant variant, const std::uint8_t* file,
                           std::size_t fileBytes) {
    if (fileBytes <= orvik::kFrameHeaderSize || fileBytes > orvik::kFileBufferBytes) {
        return;
    }
    const orvik::FrameSize size = orvik::ReadFrameSize(file);
    if (!orvik::PictureSizeSupported(size.width, size.height)) {
        return;
    }
    orvik::DecoderContext decoder(variant);
    orvik::InitDecoder(decoder, size.width, size.height);
    orvik::LoadFrameTables(decoder, file + orvik::kQuantSegmentsOffset);
    const std::uint8_t* coded = file + orvik::kFrameHeaderSize;
    const auto length = static_cast<std::int32_t>(fileBytes - orvik::kFrameHeaderSize);
    const orvik::PlanesResult have = orvik::DecodeFramePlanes(decoder, coded, length);
    const orvik::testing::BitwiseFrame reference =
        orvik::testing::BitwiseDecodeFrame(coded, length, decoder.mcuCount, *decoder.tables);
    orvik::FreeDecoder(decoder);
    const std::int64_t end = reference.endPosition;
    const bool want = end + 2 <= length && coded[end] == 0xFF && coded[end + 1] == 0xD9;
    Check(have.endTestPassed == want, "end test differs from the reference decoder");
    bool invalid = false;
    for (const orvik::testing::BitwiseBlock& block : reference.blocks) {
        invalid = invalid || block.invalidCode;
    }
    Check(have.invalidCodeMet == invalid, "invalid codes differ from the reference");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    memoryFile = memfd_create("frame", 0);
    Check(memoryFile >= 0, "memfd_create failed");
    std::snprintf(memoryPath, sizeof memoryPath, "/proc/self/fd/%d", memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kPrefixBytes) {
        return -1;  // not kept in the corpus
    }
    const std::uint8_t flags = data[0];
    const std::uint8_t* file = data + kPrefixBytes;
    const std::size_t fileBytes = size - kPrefixBytes;
    Check(ftruncate(memoryFile, 0) == 0 &&
              pwrite(memoryFile, file, fileBytes, 0) == static_cast<ssize_t>(fileBytes),
          "cannot write the in-memory file");

    const orvik::DecoderVariant variant =
        (flags & 1) != 0 ? orvik::DecoderVariant::kPacked : orvik::DecoderVariant::kScalar;
    orvik::CMavFileManager& manager = Manager(variant);
    manager.SetBlackenHook([](int width, int height) {
        Check(orvik::PictureSizeSupported(width, height), "blackened area of a refused size");
    });
    const int loads = (flags & 2) != 0 ? 2 : 1;
    for (int i = 0; i < loads; ++i) {
        // The adjustments are clamped to 0..99 by the store; raw bytes test that too. No
        // frame is shown, so they load nothing themselves.
        manager.SetPictureAdjustments(data[1], data[2], data[3], data[4]);
        Check(manager.LoadFrame(memoryPath), "an existing frame file reported as unopenable");
        Check(orvik::PictureSizeSupported(manager.PictureWidth(), manager.PictureHeight()),
              "the picture took a size the decoder does not make");
        Check(orvik::DecoderWidth(manager.Decoder()) == manager.PictureWidth() &&
                  orvik::DecoderHeight(manager.Decoder()) == manager.PictureHeight(),
              "decoder and picture sizes disagree");
    }
    if ((flags & 4) != 0) {
        CheckAgainstReference(variant, file, fileBytes);
    }
    return 0;
}
