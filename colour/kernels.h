// The row kernels of the two conversions, one table per instruction set: the portable rows,
// their SSE2 twin and their AVX2 twins. The conversions take the fastest table the processor
// runs, found once; nothing forks on the processor afterwards. Every twin gives exactly the
// bytes of the portable row it stands in for, and the tests hold each table the processor
// runs against the portable one.
#pragma once

#include <span>

#include "colour/convert_planes.h"

namespace orvik {

struct ColourKernels {
    const char* name;     // "portable", "sse2", "avx2"
    RowKernel packedRow;  // ConvertPackedRow or a twin
    RowKernel scalarRow;  // ConvertScalarRow or a twin
};

// Every table this processor runs, the portable one first and the fastest last.
std::span<const ColourKernels> RunnableColourKernels();

// The last of RunnableColourKernels().
inline const ColourKernels& FastestColourKernels() {
    return RunnableColourKernels().back();
}

}  // namespace orvik
