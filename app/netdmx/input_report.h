#pragma once
// What the network input tells the operator: the listing that /levels carries as `input`, and the
// status lines said when a universe's count of sources changes or a source is turned away.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "netdmx/e131_packet.h"
#include "netdmx/input_source.h"

namespace netdmx {

// {"levels": [512 values], "sources": [{"name", "address", "protocol", "priority", "age_ms"}]};
// an Art-Net source has no name ("") and no priority (null).
nlohmann::ordered_json inputListing(const Slots& levels, const std::vector<InputSourceInfo>& sources);

// "sACN in universe 1: 2 sources"; Art-Net counts by port-address.
std::string sourceCountLine(InputProtocol protocol, int universe, int count);

// "sACN in universe 1: 8 sources already, ignoring Desk (10.0.0.9)".
std::string turnedAwayLine(InputProtocol protocol, int universe, int count, const std::string& name,
                           const std::string& address);

}  // namespace netdmx
