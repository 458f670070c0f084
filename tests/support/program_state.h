#pragma once
// Puts the program's globals and windows back to a fresh launch, for tests that run the real
// start-up and handlers in one process.

#include <filesystem>

namespace testsupport {

// Settings at their defaults, levels zero, no windows, no messages, folders as given.
void resetProgramState(const std::filesystem::path& prefsFolder,
                       const std::filesystem::path& appFolder);

}  // namespace testsupport
