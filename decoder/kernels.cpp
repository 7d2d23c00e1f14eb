// The transform tables, and the processor's pick among them.
#include "decoder/kernels.h"

#include "platform/processor.h"

namespace orvik {
namespace {

constexpr DecoderKernels kTables[] = {
    {"portable", InverseDctPacked, TransformEach<InverseDctPacked>, InverseDctScalar},
#if defined(ORVIK_X86_TWINS)
    {"sse2", InverseDctPackedSse2, TransformEach<InverseDctPackedSse2>, InverseDctScalarSse2},
    {"avx2", InverseDctPackedAvx2, InverseDctPackedPairAvx2, InverseDctScalarAvx2},
#endif
};

}  // namespace

std::span<const DecoderKernels> RunnableDecoderKernels() {
    return RunnableKernels(kTables);
}

}  // namespace orvik
