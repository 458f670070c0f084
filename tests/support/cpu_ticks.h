#pragma once
// Processor time a process has used, for the tests and benchmarks that watch the program idle.

#include <sys/types.h>

namespace testsupport {

// User and system time together, in clock ticks (sysconf(_SC_CLK_TCK) a second).
long cpuTicks(pid_t pid);

}  // namespace testsupport
