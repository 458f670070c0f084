#pragma once
// The running network outputs (sACN and Art-Net): fed the universe after every command as one
// dmx::Output, each sending on its own schedule from the event thread, and reporting to a list of
// output states.

#include <memory>
#include <string>
#include <vector>

#include "dmx/output.h"
#include "dmx/output_status.h"
#include "netdmx/e131_packet.h"
#include "netdmx/network_settings.h"
#include "network/udp.h"

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

class NetworkStream;

// Every running network output, as the one output the universe is handed to.
class NetworkOutputs : public dmx::Output {
  public:
    // The list outlives the outputs, which report to it as they go.
    explicit NetworkOutputs(dmx::OutputStates& states);
    ~NetworkOutputs() override;

    // Replaces the running outputs by the plan's; an sACN stream that ends says so to its
    // receivers.
    void start(const OutputPlan& plan);
    // Ends every output: sACN sends its three Stream_Terminated packets.
    void stop();
    // The settings of the running outputs.
    const NetworkSettings& runningSettings() const { return settings_; }

    void send(const Module1::LevelStore& levels) override;

  private:
    dmx::OutputStates& states_;
    NetworkSettings settings_;
    // The latest levels, which every output sends.
    Slots latestSlots_{};
    std::unique_ptr<NetworkStream> sacn_;
    std::unique_ptr<NetworkStream> artnet_;
};

}  // namespace netdmx
