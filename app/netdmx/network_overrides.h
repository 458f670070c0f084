#pragma once
// The network outputs' settings given on the command line, for this run only.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace netdmx {

// What the command line gave for this run; any of them turns its output on.
struct NetworkOverrides {
    std::optional<uint16_t> sacnUniverse;
    std::optional<uint8_t> sacnPriority;
    std::vector<std::string> sacnHosts;
    std::optional<uint16_t> artnetPortAddress;
    std::vector<std::string> artnetHosts;
};

}  // namespace netdmx
