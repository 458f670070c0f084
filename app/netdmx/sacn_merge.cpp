#include "netdmx/sacn_merge.h"

#include <algorithm>

namespace netdmx {

PacketFate SacnMerge::receive(const SacnData& data, const std::string& address, int64_t nowMs) {
    const bool levels = data.startCode == nullStartCode;
    if (data.universe != universe_ || data.preview || data.priority > maxPriority ||
        (!levels && data.startCode != perAddressPriorityStartCode))
        return PacketFate::ignored;
    expire(nowMs);
    Source* source = find(data.cid);
    if (data.terminated) {
        if (!source) return PacketFate::ignored;
        std::erase_if(sources_, [&](const Source& s) { return s.cid == data.cid; });
        return PacketFate::used;
    }
    if (!source) {
        if (sourceCount() >= maxSources)
            return turnedAway_.note(data.cid, nowMs) ? PacketFate::turnedAway : PacketFate::ignored;
        turnedAway_.forget(data.cid);
        source = &sources_.emplace_back();
        source->cid = data.cid;
    } else if (outOfOrder(source->sequence, data.sequence)) {
        return PacketFate::ignored;
    }
    source->name = data.name;
    source->address = address;
    source->priority = data.priority;
    source->sequence = data.sequence;
    source->lastPacketMs = nowMs;
    if (levels) {
        source->levels = data.slots;
    } else {
        source->channelPriorities = data.slots;
        source->lastPrioritiesMs = nowMs;
    }
    return PacketFate::used;
}

void SacnMerge::expire(int64_t nowMs) {
    std::erase_if(sources_, [&](const Source& s) { return nowMs - s.lastPacketMs >= lossMs; });
    for (Source& source : sources_)
        if (nowMs - source.lastPrioritiesMs >= lossMs) source.channelPriorities.reset();
    turnedAway_.expire(nowMs, lossMs);
}

std::optional<int64_t> SacnMerge::nextDeadline() const {
    std::optional<int64_t> next;
    auto consider = [&](int64_t lastMs) {
        next = std::min(next.value_or(lastMs + lossMs), lastMs + lossMs);
    };
    for (const Source& source : sources_) {
        consider(source.lastPacketMs);
        if (source.channelPriorities) consider(source.lastPrioritiesMs);
    }
    return next;
}

Slots SacnMerge::levels() const {
    Slots out{};
    for (int channel = 0; channel < slotCount; ++channel) {
        int winning = -1;
        for (const Source& source : sources_) {
            std::optional<int> priority = source.priorityAt(channel);
            if (!source.levels || !priority || *priority < winning) continue;
            const uint8_t level = (*source.levels)[channel];
            out[channel] = *priority > winning ? level : std::max(out[channel], level);
            winning = *priority;
        }
    }
    return out;
}

std::vector<InputSourceInfo> SacnMerge::sources(int64_t nowMs) const {
    std::vector<InputSourceInfo> listed;
    for (const Source& source : sources_)
        listed.push_back({source.name, source.address, InputProtocol::sacn, source.priority,
                          nowMs - source.lastPacketMs});
    return listed;
}

std::optional<int> SacnMerge::Source::priorityAt(int channel) const {
    if (!channelPriorities) return priority;
    const uint8_t own = (*channelPriorities)[channel];
    // 0 leaves the channel to others; above 200 is reserved, so not a priority to act on.
    if (own == 0 || own > maxPriority) return std::nullopt;
    return own;
}

SacnMerge::Source* SacnMerge::find(const Cid& cid) {
    auto found = std::find_if(sources_.begin(), sources_.end(),
                              [&](const Source& source) { return source.cid == cid; });
    return found == sources_.end() ? nullptr : &*found;
}

bool SacnMerge::outOfOrder(uint8_t last, uint8_t sequence) {
    const int8_t ahead = int8_t(uint8_t(sequence - last));
    return ahead <= 0 && ahead > -20;
}

}  // namespace netdmx
