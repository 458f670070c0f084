#include "server/connection_eviction.h"

#include <algorithm>

namespace server {

std::optional<uint64_t> connectionToEvict(std::span<const EvictionCandidate> candidates,
                                          SteadyTime now) {
    auto idle = [now](const EvictionCandidate& c) {
        return !c.heardAny || now - c.lastHeard >= idleLimit;
    };
    auto keptLonger = [&](const EvictionCandidate& a, const EvictionCandidate& b) {
        if (idle(a) != idle(b)) return idle(b);
        return a.lastHeard > b.lastHeard;
    };
    auto chosen = std::max_element(candidates.begin(), candidates.end(), keptLonger);
    if (chosen == candidates.end()) return std::nullopt;
    return chosen->id;
}

}  // namespace server
