#pragma once
// The running network outputs (sACN and Art-Net): fed the universe after every command, each
// sending on its own schedule from the event thread, and reporting to dmx::outputStates().

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "netdmx/network_settings.h"
#include "platform/udp.h"

namespace netdmx {

// Settings with their hosts looked up: what starting the outputs needs, and nothing that can fail.
struct OutputPlan {
    NetworkSettings settings;
    std::vector<platform::Ipv4> sacnTo;
    std::vector<platform::Ipv4> artnetTo;
};

// Looks up every host; the reason when one does not resolve, and plan is left as it was.
std::string planOutputs(const NetworkSettings& settings, OutputPlan& plan);

// Replaces the running outputs by the plan's; an sACN stream that ends says so to its receivers.
void startOutputs(const OutputPlan& plan);
// Ends every output: sACN sends its three Stream_Terminated packets.
void stopOutputs();
// The settings of the running outputs.
const NetworkSettings& runningSettings();

// The level store changed: element n is channel n's level, element 0 unused.
void universeChanged(const std::array<int32_t, 513>& levels);

}  // namespace netdmx
