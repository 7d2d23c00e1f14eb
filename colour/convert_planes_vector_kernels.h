// The vector variant's row kernels: the portable lane code, which defines the results, and
// its SSE2 twin, which must equal it bit for bit. ConvertPlanesVector picks one per process.
#pragma once

#include <cstdint>

#include "colour/colour_matrix.h"

namespace orvik {

// One output row: pairs pixel pairs from y (2·pairs bytes), u and v (pairs bytes each) into
// out (6·pairs bytes, blue, green, red).
using VectorRowKernel = void (*)(const ColourMatrix& colour, const std::uint8_t* y,
                                 const std::uint8_t* u, const std::uint8_t* v, int pairs,
                                 std::uint8_t* out);

void ConvertVectorRowPortable(const ColourMatrix& colour, const std::uint8_t* y,
                              const std::uint8_t* u, const std::uint8_t* v, int pairs,
                              std::uint8_t* out);

// Null where the processor or the build has no SSE2.
VectorRowKernel Sse2VectorRowKernel();

}  // namespace orvik
