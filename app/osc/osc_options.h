#pragma once
// Where OSC is taken from, as the command line and the settings file both give it, and the check of
// its port.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace osc {

struct OscSettings {
    // No port: OSC is off.
    std::optional<uint16_t> port;
    // The hosts whose messages are taken; none: every sender (unless the web login is on).
    std::vector<std::string> allow;
    bool operator==(const OscSettings&) const = default;
};

// A whole decimal number from 1 to 65535, else nothing.
std::optional<uint16_t> parsePort(std::string_view text);
inline constexpr const char* portRule = "a UDP port number from 1 to 65535";

}  // namespace osc
