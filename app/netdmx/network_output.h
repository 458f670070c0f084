#pragma once
// The running network outputs (sACN and Art-Net): fed the universe after every command as one
// dmx::Output, each sending on its own schedule from the event thread, and reporting to
// dmx::outputStates().

#include <string>
#include <vector>

#include "dmx/output.h"
#include "netdmx/e131_packet.h"
#include "netdmx/network_settings.h"
#include "platform/udp.h"

namespace netdmx {

// Settings with their hosts looked up: what starting the outputs needs, and nothing that can fail.
struct OutputPlan {
    NetworkSettings settings;
    std::vector<platform::Ipv4> sacnTo;
    std::vector<platform::Ipv4> artnetTo;
    // The installation's, for sACN (netdmx/run_plan.h gives it).
    Cid cid{};
};

// Looks up every host; the reason when one does not resolve, and plan is left as it was.
std::string planOutputs(const NetworkSettings& settings, OutputPlan& plan);

// Replaces the running outputs by the plan's; an sACN stream that ends says so to its receivers.
void startOutputs(const OutputPlan& plan);
// Ends every output: sACN sends its three Stream_Terminated packets.
void stopOutputs();
// The settings of the running outputs.
const NetworkSettings& runningSettings();

// Every running network output, as the one output the universe is handed to.
dmx::Output& networkOutputs();

}  // namespace netdmx
