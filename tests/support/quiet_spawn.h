#pragma once
// A child process whose standard output goes nowhere, for benchmarks that run the program
// without an event loop of their own.

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// Starts words[0] (a path) with the rest as its arguments; the child's id, -1 on failure.
pid_t spawnQuiet(std::vector<std::string> words);

}  // namespace testsupport
