// The processor test: does this processor have the packed 64-bit integer instructions
// (MMX)? The answer picks, once per run, the packed or the scalar decoding and colour path.
// Beside it, what picks the fastest kernels of that path: x86-64 builds made with GCC or
// Clang carry SSE2 and AVX2 twins of the hot kernels, and the processor says which run.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define ORVIK_X86_TWINS 1
#endif

#include <cstddef>
#include <span>
#include <string_view>

namespace orvik {

// True when CPUID function 1 reports MMX (bit 23 of EDX). Every x86-64 processor does;
// other processors answer false.
bool CpuHasMmx();

// True when the processor has AVX2 and the system saves the wide registers; false in builds
// without the x86 twins. Every x86-64 processor has SSE2.
bool ProcessorHasAvx2();

// True when this processor runs kernels of the named instruction set: "portable" and "sse2"
// always (SSE2 twins exist only in x86-64 builds), "avx2" when ProcessorHasAvx2 says so.
bool ProcessorRuns(std::string_view instructionSet);

// The leading tables of a list ordered portable, SSE2, AVX2 (each names its instruction set
// in .name) that this processor runs: the portable one first and the fastest last.
template <typename Kernels, std::size_t N>
std::span<const Kernels> RunnableKernels(const Kernels (&tables)[N]) {
    std::size_t count = 0;
    while (count < N && ProcessorRuns(tables[count].name)) {
        ++count;
    }
    return std::span<const Kernels>(tables, count);
}

}  // namespace orvik
