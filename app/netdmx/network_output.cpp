#include "netdmx/network_output.h"

#include <functional>
#include <memory>

#include "dmx/output.h"
#include "dmx/output_status.h"
#include "netdmx/artnet_packet.h"
#include "netdmx/send_schedule.h"
#include "platform/timer.h"

namespace netdmx {

namespace {

// Receivers act on the first Stream_Terminated packet; the standard asks for three in case of loss.
constexpr int terminationPackets = 3;

}  // namespace

class NetworkStream {
  public:
    using MakePacket = std::function<std::vector<uint8_t>(bool terminated)>;

    NetworkStream(dmx::OutputStates& states, dmx::OutputState status, uint16_t port,
                  std::vector<platform::Ipv4> to, MakePacket makePacket)
        : states_(states),
          status_(std::move(status)),
          port_(port),
          to_(std::move(to)),
          makePacket_(std::move(makePacket)),
          timer_([this] { pump(); }) {
        if (to_.empty()) setState("error: no IPv4 interface to broadcast on");
        pump();
    }
    ~NetworkStream() { states_.remove(status_.name); }

    void changed() {
        schedule_.changed();
        pump();
    }

    void terminate() {
        timer_.stop();
        for (int i = 0; i < terminationPackets; ++i) sendToAll(/*terminated=*/true);
    }

  private:
    void pump() {
        int64_t now = platform::steadyMs();
        if (schedule_.due(now)) {
            sendToAll(/*terminated=*/false);
            schedule_.sent(now);
        }
        timer_.start(int(schedule_.wait(now)));
    }

    void sendToAll(bool terminated) {
        if (to_.empty()) return;
        std::vector<uint8_t> packet = makePacket_(terminated);
        std::string error;
        for (platform::Ipv4 address : to_) {
            std::string failed = sender_.send(address, port_, packet);
            if (error.empty()) error = failed;
        }
        setState(error.empty() ? "sending" : "error: " + error);
    }

    // The status list tells its watchers of changes only: an error shows when it starts and when
    // it clears, not once per packet.
    void setState(const std::string& state) {
        status_.state = state;
        states_.report(status_);
    }

    dmx::OutputStates& states_;
    dmx::OutputState status_;
    uint16_t port_;
    std::vector<platform::Ipv4> to_;
    MakePacket makePacket_;
    SendSchedule schedule_;
    platform::UdpSender sender_;
    platform::Timer timer_;
};

namespace {

std::string targetList(const std::vector<platform::Ipv4>& to) {
    std::string text;
    for (platform::Ipv4 address : to)
        text += (text.empty() ? "" : ", ") + platform::ipv4Text(address);
    return text.empty() ? "nowhere" : text;
}

std::unique_ptr<NetworkStream> sacnOutput(dmx::OutputStates& states, const Slots& slots,
                                          const SacnSettings& settings, const Cid& cid,
                                          const std::vector<platform::Ipv4>& to) {
    SacnSource source{cid, sourceName(platform::hostName()), settings.priority, settings.universe};
    auto sequence = std::make_shared<uint8_t>(0);
    auto makePacket = [source, sequence, &slots](bool terminated) {
        return sacnDataPacket(source, (*sequence)++, terminated, slots);
    };
    dmx::OutputState status{
        "sACN", "universe " + std::to_string(settings.universe) + " -> " + targetList(to), ""};
    return std::make_unique<NetworkStream>(states, status, uint16_t(sacnPort), to, makePacket);
}

std::unique_ptr<NetworkStream> artnetOutput(dmx::OutputStates& states, const Slots& slots,
                                            const ArtNetSettings& settings,
                                            const std::vector<platform::Ipv4>& to) {
    auto sequence = std::make_shared<uint8_t>(0);
    uint16_t portAddress = settings.portAddress;
    auto makePacket = [portAddress, sequence, &slots](bool) {
        *sequence = nextArtNetSequence(*sequence);
        return artDmxPacket(portAddress, *sequence, slots);
    };
    std::string where = targetList(to) + (settings.hosts.empty() ? " (broadcast)" : "");
    dmx::OutputState status{"Art-Net",
                            "port-address " + std::to_string(portAddress) + " -> " + where, ""};
    return std::make_unique<NetworkStream>(states, status, uint16_t(artNetPort), to, makePacket);
}

void stop(std::unique_ptr<NetworkStream>& output, bool announce) {
    if (output && announce) output->terminate();
    output.reset();
}

}  // namespace

std::string planOutputs(const NetworkSettings& settings, OutputPlan& plan) {
    OutputPlan made{settings, {}, {}};
    for (auto [hosts, into] : {std::pair{&settings.sacn.hosts, &made.sacnTo},
                               std::pair{&settings.artnet.hosts, &made.artnetTo}}) {
        if (std::string problem = platform::resolveHosts(*hosts, *into); !problem.empty())
            return problem;
    }
    if (made.sacnTo.empty())
        made.sacnTo.push_back(*platform::resolveIpv4(sacnMulticastAddress(settings.sacn.universe)));
    if (made.artnetTo.empty()) made.artnetTo = platform::broadcastAddresses();
    plan = made;
    return {};
}

NetworkOutputs::NetworkOutputs(dmx::OutputStates& states) : states_(states) {}

NetworkOutputs::~NetworkOutputs() {
    stop();
}

void NetworkOutputs::start(const OutputPlan& plan) {
    // An output whose settings stay is left running: restarting would break its sequence and,
    // for sACN, make receivers drop the source for a moment.
    const NetworkSettings& next = plan.settings;
    if (!(next.sacn == settings_.sacn)) {
        netdmx::stop(sacn_, /*announce=*/true);
        if (next.sacn.enabled)
            sacn_ = sacnOutput(states_, latestSlots_, next.sacn, plan.cid, plan.sacnTo);
    }
    if (!(next.artnet == settings_.artnet)) {
        netdmx::stop(artnet_, /*announce=*/false);
        if (next.artnet.enabled)
            artnet_ = artnetOutput(states_, latestSlots_, next.artnet, plan.artnetTo);
    }
    settings_ = next;
}

void NetworkOutputs::stop() {
    netdmx::stop(sacn_, /*announce=*/true);
    netdmx::stop(artnet_, /*announce=*/false);
    settings_.sacn.enabled = settings_.artnet.enabled = false;
}

void NetworkOutputs::send(const Module1::LevelStore& levels) {
    for (size_t slot = 0; slot < latestSlots_.size(); ++slot)
        latestSlots_[slot] = uint8_t(levels[slot + 1]);
    if (sacn_) sacn_->changed();
    if (artnet_) artnet_->changed();
}

}  // namespace netdmx
