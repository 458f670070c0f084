#pragma once
// The settings file of a stage machine, written into the folder the program is given with
// --prefs-dir: serial port 0, the web port, no WAN, no login.

#include <cstdint>
#include <filesystem>

namespace testsupport {

void writeStageSettings(const std::filesystem::path& prefs, int32_t port = 80);

}  // namespace testsupport
