#include "kernel_choice.h"

#include <cstdlib>
#include <string_view>

namespace quilvane {
namespace {

// SSSE3 and POPCNT: the kernels use both, and a CPU with one but not the other is rare enough to
// take the portable path.
bool cpuHasSsse3Kernels() {
#ifdef QUILVANE_X86_KERNELS
    __builtin_cpu_init();  // the library's initializers may run before libgcc's
    return __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
#else
    return false;
#endif
}

}  // namespace

bool ssse3KernelsChosen(bool cpuHasThem, const char* forcePortable) {
    return cpuHasThem && (forcePortable == nullptr || std::string_view(forcePortable) != "1");
}

const bool ssse3KernelsRun =
    ssse3KernelsChosen(cpuHasSsse3Kernels(), std::getenv("QUILVANE_FORCE_PORTABLE"));

}  // namespace quilvane
