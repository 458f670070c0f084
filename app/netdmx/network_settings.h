#pragma once
// The network outputs' settings: as kept in the extra settings file (keys sacn.* and artnet.*), as
// overridden for one run from the command line, and the checks both go through.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "netdmx/network_overrides.h"
#include "settings/extra_settings_format.h"

namespace netdmx {

struct SacnSettings {
    bool enabled = false;
    uint16_t universe = 1;
    uint8_t priority = 100;
    std::vector<std::string> hosts;  // none: multicast
    bool operator==(const SacnSettings&) const = default;
};

struct ArtNetSettings {
    bool enabled = false;
    uint16_t portAddress = 0;
    std::vector<std::string> hosts;  // none: directed broadcast on each interface
    bool operator==(const ArtNetSettings&) const = default;
};

struct NetworkSettings {
    SacnSettings sacn;
    ArtNetSettings artnet;
    bool operator==(const NetworkSettings&) const = default;
};

// Whole decimal numbers in range, else nothing.
std::optional<uint16_t> parseUniverse(std::string_view text);     // 1 to 63999
std::optional<uint8_t> parsePriority(std::string_view text);      // 0 to 200
std::optional<uint16_t> parsePortAddress(std::string_view text);  // 0 to 32767

// What each value must be, for messages.
inline constexpr const char* universeRule = "a universe from 1 to 63999";
inline constexpr const char* priorityRule = "a priority from 0 to 200";
inline constexpr const char* portAddressRule = "an Art-Net port-address from 0 to 32767";

// Hosts separated by commas or spaces.
std::vector<std::string> splitHosts(std::string_view text);
std::string joinHosts(const std::vector<std::string>& hosts);

struct ReadNetworkSettings {
    NetworkSettings settings;
    std::string error;  // the first bad value; the settings then keep their defaults
};
ReadNetworkSettings readNetworkSettings(const settings::ExtraSettings& file);
void storeNetworkSettings(const NetworkSettings& network, settings::ExtraSettings& file);

NetworkSettings withOverrides(NetworkSettings network, const NetworkOverrides& overrides);

}  // namespace netdmx
