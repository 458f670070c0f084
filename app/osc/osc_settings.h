#pragma once
// Where OSC is taken from: as kept in the extra settings file (osc.port, osc.allow), as given for
// one run on the command line, and the checks both go through.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/extra_settings_format.h"

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

struct ReadOscSettings {
    OscSettings settings;
    std::string error;  // a bad port; OSC is then off
};
ReadOscSettings readOscSettings(const settings::ExtraSettings& file);
void storeOscSettings(const OscSettings& osc, settings::ExtraSettings& file);

// The command line's port and hosts over the saved ones, for this run.
OscSettings withOverrides(OscSettings saved, const OscSettings& overrides);

}  // namespace osc
