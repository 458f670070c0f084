#pragma once
// One port-address of Art-Net input: at most two sources, told apart by their IP address and
// merged highest-takes-precedence, as Art-Net 4 asks of a node. A third is turned away until one of
// the two leaves, which it does after 10 s without a packet: the caller's timer calls expire() at
// nextDeadline(). Time comes from outside in milliseconds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netdmx/artnet_receive.h"
#include "netdmx/input_source.h"

namespace netdmx {

class ArtNetMerge {
  public:
    static constexpr int maxSources = 2;
    static constexpr int64_t lossMs = 10000;

    explicit ArtNetMerge(uint16_t portAddress) : portAddress_(portAddress) {}

    uint16_t portAddress() const { return portAddress_; }
    PacketFate receive(const ArtDmx& dmx, const std::string& address, int64_t nowMs);
    void expire(int64_t nowMs);
    std::optional<int64_t> nextDeadline() const;

    int sourceCount() const { return int(sources_.size()); }
    Slots levels() const;
    std::vector<InputSourceInfo> sources(int64_t nowMs) const;

  private:
    struct Source {
        std::string address;
        int64_t lastPacketMs = 0;
        Slots levels{};
    };

    uint16_t portAddress_;
    std::vector<Source> sources_;
    TurnedAway<std::string> turnedAway_;
};

}  // namespace netdmx
