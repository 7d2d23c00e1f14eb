// Which SIMD twins of the transforms this build has, and whether the processor can run the
// AVX2 ones. The AVX2 twins are compiled by target attribute into an otherwise SSE2 build,
// so they exist on every x86-64 build and run only where the processor (and the system,
// which must save the wide registers) reports AVX2.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define ORVIK_HAS_AVX2_TWINS 1
#endif

namespace orvik {

// Asked once; the answer never changes while the program runs.
inline bool ProcessorHasAvx2() {
#if defined(ORVIK_HAS_AVX2_TWINS)
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
#else
    return false;
#endif
}

}  // namespace orvik
