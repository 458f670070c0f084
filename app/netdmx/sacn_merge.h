#pragma once
// One universe of sACN input: the sources heard on it and their merge, as E1.31 asks of a receiver.
// The highest priority among live sources wins each channel, and the sources at that priority are
// merged highest-takes-precedence. A source sending per-address priority (start code 0xDD) has,
// per channel, that priority in place of its packet's; 0 there means it does not drive the channel.
// Time comes from outside in milliseconds; the caller's timer calls expire() at nextDeadline(), so
// a silent source leaves even when no other packet arrives.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "netdmx/e131_receive.h"
#include "netdmx/input_source.h"

namespace netdmx {

class SacnMerge {
  public:
    static constexpr int maxSources = 8;
    // A source, or its per-address priority, lapses after this long without a packet.
    static constexpr int64_t lossMs = 2500;
    static constexpr uint8_t maxPriority = 200;

    explicit SacnMerge(uint16_t universe) : universe_(universe) {}

    uint16_t universe() const { return universe_; }
    // address: where the packet came from, for the listing.
    PacketFate receive(const SacnData& data, const std::string& address, int64_t nowMs);
    void expire(int64_t nowMs);
    // When expire() next has something to do; none while no source is live.
    std::optional<int64_t> nextDeadline() const;

    int sourceCount() const { return int(sources_.size()); }
    Slots levels() const;
    std::vector<InputSourceInfo> sources(int64_t nowMs) const;

  private:
    struct Source {
        Cid cid{};
        std::string name;
        std::string address;
        uint8_t priority = 0;
        uint8_t sequence = 0;
        int64_t lastPacketMs = 0;
        std::optional<Slots> levels;
        std::optional<Slots> channelPriorities;
        int64_t lastPrioritiesMs = 0;

        // The source's priority on a channel; none where it does not drive the channel.
        std::optional<int> priorityAt(int channel) const;
    };

    Source* find(const Cid& cid);
    // A packet 0 to 19 behind the source's last (modulo 256) is a late or repeated one.
    static bool outOfOrder(uint8_t last, uint8_t sequence);

    uint16_t universe_;
    std::vector<Source> sources_;
    TurnedAway<Cid> turnedAway_;
};

}  // namespace netdmx
