// The transform tables, and the processor's pick among them, made once.
#include "decoder/kernels.h"

#include <vector>

#include "platform/processor.h"

namespace orvik {
namespace {

constexpr DecoderKernels kPortable = {"portable", InverseDctPacked, TransformEach<InverseDctPacked>,
                                      InverseDctScalar};
#if defined(ORVIK_X86_TWINS)
constexpr DecoderKernels kSse2 = {"sse2", InverseDctPackedSse2, TransformEach<InverseDctPackedSse2>,
                                  InverseDctScalarSse2};
constexpr DecoderKernels kAvx2 = {"avx2", InverseDctPackedAvx2, InverseDctPackedPairAvx2,
                                  InverseDctScalarAvx2};
#endif

}  // namespace

std::span<const DecoderKernels> RunnableDecoderKernels() {
    static const std::vector<DecoderKernels> runnable = [] {
        std::vector<DecoderKernels> tables = {kPortable};
#if defined(ORVIK_X86_TWINS)
        tables.push_back(kSse2);  // every x86-64 processor has SSE2
        if (ProcessorHasAvx2()) {
            tables.push_back(kAvx2);
        }
#endif
        return tables;
    }();
    return runnable;
}

const DecoderKernels& FastestDecoderKernels() {
    return RunnableDecoderKernels().back();
}

}  // namespace orvik
