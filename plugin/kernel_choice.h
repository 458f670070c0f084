#pragma once
// Which kernels run, decided once as the library loads: the SSSE3 ones (built on x86 only) where
// the CPU has them, unless QUILVANE_FORCE_PORTABLE=1 asks for the portable code, the only code
// elsewhere. Tests set it so that the portable code runs on any machine.

#if defined(__x86_64__) || defined(__i386__)
#define QUILVANE_X86_KERNELS 1
#endif

namespace quilvane {

// cpuHasThem: the CPU has what the SSSE3 kernels use; forcePortable: the variable's value, null
// when it is not set.
bool ssse3KernelsChosen(bool cpuHasThem, const char* forcePortable);

extern const bool ssse3KernelsRun;

}  // namespace quilvane
