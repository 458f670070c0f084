#include "netdmx/network_output.h"

#include <chrono>
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

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The latest levels, which every output sends.
Slots latestSlots{};

class Stream {
  public:
    using MakePacket = std::function<std::vector<uint8_t>(bool terminated)>;

    Stream(dmx::OutputState status, uint16_t port, std::vector<platform::Ipv4> to,
           MakePacket makePacket)
        : status_(std::move(status)),
          port_(port),
          to_(std::move(to)),
          makePacket_(std::move(makePacket)),
          timer_([this] { pump(); }) {
        if (to_.empty()) setState("error: no IPv4 interface to broadcast on");
        pump();
    }
    ~Stream() { dmx::outputStates().remove(status_.name); }

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
        int64_t now = nowMs();
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
        dmx::outputStates().report(status_);
    }

    dmx::OutputState status_;
    uint16_t port_;
    std::vector<platform::Ipv4> to_;
    MakePacket makePacket_;
    SendSchedule schedule_;
    platform::UdpSender sender_;
    platform::Timer timer_;
};

struct Running : dmx::Output {
    void send(const Module1::LevelStore& levels) override {
        for (size_t slot = 0; slot < latestSlots.size(); ++slot)
            latestSlots[slot] = uint8_t(levels[slot + 1]);
        if (sacn) sacn->changed();
        if (artnet) artnet->changed();
    }

    NetworkSettings settings;
    std::unique_ptr<Stream> sacn;
    std::unique_ptr<Stream> artnet;
};

Running& running() {
    // The status list is made first so that it outlives the outputs, which report to it as they go.
    dmx::outputStates();
    static Running outputs;
    return outputs;
}

std::string targetList(const std::vector<platform::Ipv4>& to) {
    std::string text;
    for (platform::Ipv4 address : to)
        text += (text.empty() ? "" : ", ") + platform::ipv4Text(address);
    return text.empty() ? "nowhere" : text;
}

std::unique_ptr<Stream> sacnOutput(const SacnSettings& settings, const Cid& cid,
                                   const std::vector<platform::Ipv4>& to) {
    SacnSource source{cid, sourceName(platform::hostName()), settings.priority, settings.universe};
    auto sequence = std::make_shared<uint8_t>(0);
    auto makePacket = [source, sequence](bool terminated) {
        return sacnDataPacket(source, (*sequence)++, terminated, latestSlots);
    };
    dmx::OutputState status{
        "sACN", "universe " + std::to_string(settings.universe) + " -> " + targetList(to), ""};
    return std::make_unique<Stream>(status, uint16_t(sacnPort), to, makePacket);
}

std::unique_ptr<Stream> artnetOutput(const ArtNetSettings& settings,
                                     const std::vector<platform::Ipv4>& to) {
    auto sequence = std::make_shared<uint8_t>(0);
    uint16_t portAddress = settings.portAddress;
    auto makePacket = [portAddress, sequence](bool) {
        *sequence = nextArtNetSequence(*sequence);
        return artDmxPacket(portAddress, *sequence, latestSlots);
    };
    std::string where = targetList(to) + (settings.hosts.empty() ? " (broadcast)" : "");
    dmx::OutputState status{"Art-Net",
                            "port-address " + std::to_string(portAddress) + " -> " + where, ""};
    return std::make_unique<Stream>(status, uint16_t(artNetPort), to, makePacket);
}

void stop(std::unique_ptr<Stream>& output, bool announce) {
    if (output && announce) output->terminate();
    output.reset();
}

}  // namespace

std::string planOutputs(const NetworkSettings& settings, OutputPlan& plan) {
    OutputPlan made{settings, {}, {}};
    for (auto [hosts, into] : {std::pair{&settings.sacn.hosts, &made.sacnTo},
                               std::pair{&settings.artnet.hosts, &made.artnetTo}}) {
        for (const std::string& host : *hosts) {
            auto address = platform::resolveIpv4(host);
            if (!address) return "the host \"" + host + "\" does not resolve to an IPv4 address";
            into->push_back(*address);
        }
    }
    if (made.sacnTo.empty())
        made.sacnTo.push_back(*platform::resolveIpv4(sacnMulticastAddress(settings.sacn.universe)));
    if (made.artnetTo.empty()) made.artnetTo = platform::broadcastAddresses();
    plan = made;
    return {};
}

void startOutputs(const OutputPlan& plan) {
    Running& outputs = running();
    // An output whose settings stay is left running: restarting would break its sequence and,
    // for sACN, make receivers drop the source for a moment.
    const NetworkSettings& next = plan.settings;
    if (!(next.sacn == outputs.settings.sacn)) {
        stop(outputs.sacn, /*announce=*/true);
        if (next.sacn.enabled) outputs.sacn = sacnOutput(next.sacn, plan.cid, plan.sacnTo);
    }
    if (!(next.artnet == outputs.settings.artnet)) {
        stop(outputs.artnet, /*announce=*/false);
        if (next.artnet.enabled) outputs.artnet = artnetOutput(next.artnet, plan.artnetTo);
    }
    outputs.settings = next;
}

void stopOutputs() {
    Running& outputs = running();
    stop(outputs.sacn, /*announce=*/true);
    stop(outputs.artnet, /*announce=*/false);
    outputs.settings.sacn.enabled = outputs.settings.artnet.enabled = false;
}

const NetworkSettings& runningSettings() {
    return running().settings;
}

dmx::Output& networkOutputs() {
    return running();
}

}  // namespace netdmx
