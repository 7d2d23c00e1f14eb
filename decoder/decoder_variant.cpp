#include "decoder/decoder_variant.h"

#include "platform/processor.h"

namespace orvik {

const char* VariantName(DecoderVariant variant) {
    return variant == DecoderVariant::kPacked ? "packed" : "scalar";
}

DecoderVariant ProcessorVariant() {
    return CpuHasMmx() ? DecoderVariant::kPacked : DecoderVariant::kScalar;
}

}  // namespace orvik
