// The transforms of the two decoding variants, one table per instruction set: the portable
// code, its SSE2 twins and its AVX2 twins. A decoder context takes the fastest table the processor
// runs when it is made; nothing forks on the processor afterwards. Every twin gives exactly
// the numbers of the portable kernel it stands in for, and the tests hold each table the
// processor runs against the portable one.
#pragma once

#include <span>

#include "decoder/idct_packed.h"
#include "decoder/idct_scalar.h"

namespace orvik {

struct DecoderKernels {
    const char* name;                  // "portable", "sse2", "avx2"
    PackedTransform inverseDctPacked;  // InverseDctPacked or a twin
    // Two blocks at once: TransformEach<the packed transform>, or the AVX2 pair twin
    PackedPairTransform inverseDctPackedPair;
    ScalarTransform inverseDctScalar;  // InverseDctScalar or a twin
};

// Every table this processor runs, the portable one first and the fastest last.
std::span<const DecoderKernels> RunnableDecoderKernels();

// The last of RunnableDecoderKernels().
inline const DecoderKernels& FastestDecoderKernels() {
    return RunnableDecoderKernels().back();
}

}  // namespace orvik
