#pragma once
// SSSE3 kernels are built on x86 only and run only where the CPU has them; elsewhere the portable
// code does all the work.

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUILVANE_X86_KERNELS 1

namespace quilvane {

// SSSE3 and POPCNT: the kernels use both, and a CPU with one but not the other is rare enough to
// take the portable path.
inline const bool ssse3KernelsRun = [] {
    __builtin_cpu_init();  // the library's initializers may run before libgcc's
    return __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
}();

}  // namespace quilvane
#endif
