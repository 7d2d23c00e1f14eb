// How the SIMD twins of the transforms and the conversion are compiled. They exist in x86-64
// builds made with GCC or Clang (ORVIK_X86_TWINS), whose code otherwise targets SSE2; an AVX2
// twin's code is compiled for AVX2 between ORVIK_AVX2_BEGIN and ORVIK_AVX2_END, and runs only
// where ProcessorHasAvx2 finds AVX2, as the kernel tables that pick the twins ask it.
//
// The lane operations and the transform steps written once for every lane width are
// templates and inline functions in headers, each kept inside an unnamed namespace: an AVX2
// file includes them after ORVIK_AVX2_BEGIN, so its copies are AVX2 code, and no copy is
// shared with an SSE2 file. Standard headers come before ORVIK_AVX2_BEGIN, so that nothing
// of theirs is compiled for AVX2.
#pragma once

#include "platform/processor.h"

#if defined(__clang__)
#define ORVIK_AVX2_BEGIN \
    _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define ORVIK_AVX2_END _Pragma("clang attribute pop")
#else
#define ORVIK_AVX2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define ORVIK_AVX2_END _Pragma("GCC pop_options")
#endif
