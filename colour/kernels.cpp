// The row kernel tables, and the processor's pick among them.
#include "colour/kernels.h"

#include "platform/processor.h"

namespace orvik {
namespace {

constexpr ColourKernels kTables[] = {
    {"portable", ConvertPackedRow, ConvertScalarRow},
#if defined(ORVIK_X86_TWINS)
    {"sse2", ConvertPackedRowSse2, ConvertScalarRow},  // the scalar row has no SSE2 twin
    {"avx2", ConvertPackedRowAvx2, ConvertScalarRowAvx2},
#endif
};

}  // namespace

std::span<const ColourKernels> RunnableColourKernels() {
    return RunnableKernels(kTables);
}

}  // namespace orvik
