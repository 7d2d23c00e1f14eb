// Frames made on the fly for the decoder tests: generated pictures encoded by the frame
// writer, contexts set up for them, and the reference planes libjpeg-turbo decodes from the
// same coded data.
#pragma once

#include <cstdint>
#include <vector>

#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"

namespace orvik::testing {

struct TestFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // the whole frame file

    const std::uint8_t* CodedData() const { return bytes.data() + kFrameHeaderSize; }
    std::int32_t CodedLength() const {
        return static_cast<std::int32_t>(bytes.size() - kFrameHeaderSize);
    }
};

TestFrame MakeFrame(int width, int height, int quality, std::uint32_t seed = 1);

// Runs InitDecoder for the frame's size and LoadFrameTables.
void PrepareContext(DecoderContext& context, const TestFrame& frame);

// The frame's planes as libjpeg-turbo decodes them (JDCT_ISLOW, no upsampling).
std::vector<std::uint8_t> ReferencePlanes(const TestFrame& frame);

// The first 2 x w x h bytes of the context's planes buffer.
std::vector<std::uint8_t> PlanesOf(const DecoderContext& context);

}  // namespace orvik::testing
