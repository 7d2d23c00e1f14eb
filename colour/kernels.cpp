// The row kernel tables, and the processor's pick among them, made once.
#include "colour/kernels.h"

#include <vector>

#include "platform/processor.h"

namespace orvik {
namespace {

constexpr ColourKernels kPortable = {"portable", ConvertPackedRow, ConvertScalarRow};
#if defined(ORVIK_X86_TWINS)
// The scalar row has no SSE2 twin.
constexpr ColourKernels kSse2 = {"sse2", ConvertPackedRowSse2, ConvertScalarRow};
constexpr ColourKernels kAvx2 = {"avx2", ConvertPackedRowAvx2, ConvertScalarRowAvx2};
#endif

}  // namespace

std::span<const ColourKernels> RunnableColourKernels() {
    static const std::vector<ColourKernels> runnable = [] {
        std::vector<ColourKernels> tables = {kPortable};
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

const ColourKernels& FastestColourKernels() {
    return RunnableColourKernels().back();
}

}  // namespace orvik
