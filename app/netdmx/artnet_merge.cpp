#include "netdmx/artnet_merge.h"

#include <algorithm>

namespace netdmx {

PacketFate ArtNetMerge::receive(const ArtDmx& dmx, const std::string& address, int64_t nowMs) {
    if (dmx.portAddress != portAddress_) return PacketFate::ignored;
    expire(nowMs);
    auto source = std::find_if(sources_.begin(), sources_.end(),
                               [&](const Source& s) { return s.address == address; });
    if (source == sources_.end()) {
        if (sourceCount() >= maxSources)
            return turnedAway_.note(address, nowMs) ? PacketFate::turnedAway : PacketFate::ignored;
        turnedAway_.forget(address);
        source = sources_.insert(sources_.end(), Source{address, nowMs, {}});
    }
    source->lastPacketMs = nowMs;
    source->levels = dmx.slots;
    return PacketFate::used;
}

void ArtNetMerge::expire(int64_t nowMs) {
    std::erase_if(sources_, [&](const Source& s) { return nowMs - s.lastPacketMs >= lossMs; });
    turnedAway_.expire(nowMs, lossMs);
}

std::optional<int64_t> ArtNetMerge::nextDeadline() const {
    auto oldest = std::min_element(
        sources_.begin(), sources_.end(),
        [](const Source& a, const Source& b) { return a.lastPacketMs < b.lastPacketMs; });
    if (oldest == sources_.end()) return std::nullopt;
    return oldest->lastPacketMs + lossMs;
}

Slots ArtNetMerge::levels() const {
    Slots out{};
    for (const Source& source : sources_) highestTakesPrecedence(out, source.levels);
    return out;
}

std::vector<InputSourceInfo> ArtNetMerge::sources(int64_t nowMs) const {
    std::vector<InputSourceInfo> listed;
    for (const Source& source : sources_)
        listed.push_back({"", source.address, InputProtocol::artnet, std::nullopt,
                          nowMs - source.lastPacketMs});
    return listed;
}

}  // namespace netdmx
