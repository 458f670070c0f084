#pragma once
// The eight positional lines of "Tolvex.config" and the values they hold. The lines carry no keys
// to search for: each value is known by its line number only.

#include <cstdint>
#include <string>
#include <vector>

namespace settings {

struct ConfigValues {
    std::string currentShowFile;
    int32_t currentPortNumber = 0;
    int32_t webServerPort = 0;
    bool enableWAN = false;
    bool requireLogin = false;
    bool startMinimized = false;
    std::string username;
    std::string password;
};

inline constexpr size_t configLineCount = 8;

// The lines to write, in file order, without line ends.
std::vector<std::string> formatConfig(const ConfigValues& values);

// The values of the first eight lines; a missing line reads as empty text (number 0, flag false).
// Later lines are ignored.
ConfigValues parseConfig(const std::vector<std::string>& lines);

}  // namespace settings
