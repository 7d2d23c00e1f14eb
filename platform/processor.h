// The processor test: does this processor have the packed 64-bit integer instructions
// (MMX)? The answer picks, once per run, the packed or the scalar decoding and colour path.
#pragma once

namespace orvik {

// True when CPUID function 1 reports MMX (bit 23 of EDX). Every x86-64 processor does;
// other processors answer false.
bool CpuHasMmx();

}  // namespace orvik
