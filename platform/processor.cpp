#include "platform/processor.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace orvik {

bool CpuHasMmx() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
        return false;  // function 1 not supported
    }
    constexpr unsigned kMmxBit = 1u << 23;
    if ((edx & kMmxBit) == 0) {
        return false;
    }
    // The test ends by clearing the packed-register state (EMMS), which hands the registers
    // back to the floating-point unit; it cannot fault once the processor has reported MMX.
    __asm__ volatile("emms");
    return true;
#else
    return false;
#endif
}

bool ProcessorHasAvx2() {
#if defined(ORVIK_X86_TWINS)
    static const bool hasAvx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return hasAvx2;
#else
    return false;
#endif
}

bool ProcessorRuns(std::string_view instructionSet) {
    return instructionSet != "avx2" || ProcessorHasAvx2();
}

}  // namespace orvik
