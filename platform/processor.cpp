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
    // Clear the SIMD state once, as the original test does; it cannot fault once the
    // processor has reported MMX.
    __asm__ volatile("emms");
    return true;
#else
    return false;
#endif
}

}  // namespace orvik
