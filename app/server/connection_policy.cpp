#include "server/connection_policy.h"

#include <algorithm>
#include <vector>

#include "network/tcp.h"
#include "server/connection_eviction.h"

namespace server {

namespace {

// Open client connections at most, so that idle clients cannot exhaust the program's descriptors.
constexpr size_t kMaxConnections = 128;

using Connections = std::vector<platform::AcceptedConnection>;

size_t countedConnections(const Connections& open) {
    return std::count_if(open.begin(), open.end(),
                         [](const platform::AcceptedConnection& c) { return !c.exempt; });
}

// Closes the connection that gives way best, if one may.
bool evictOne(const Connections& open) {
    std::vector<EvictionCandidate> candidates;
    for (size_t index = 0; index < open.size(); ++index) {
        const platform::AcceptedConnection& c = open[index];
        if (!c.exempt && !c.busy && !c.wrote) {
            candidates.push_back({index, c.lastHeard, c.heardAny});
        }
    }
    auto chosen = connectionToEvict(candidates, std::chrono::steady_clock::now());
    if (!chosen) return false;
    open[*chosen].socket->Close();
    return true;
}

}  // namespace

void applyConnectionPolicy(platform::ServerSocket& listener) {
    listener.AnswerAfterHalfClose = true;
    listener.MayAccept = [&listener] {
        Connections open = listener.OpenConnections();
        if (countedConnections(open) < kMaxConnections) return true;
        if (!listener.ClientWaiting()) return false;
        if (evictOne(open)) return true;
        listener.PauseAccepting();
        return false;
    };
    // Out of descriptors: an idle connection gives way; failing that the listener waits for one
    // to end, and with none that could, the newcomer is turned away.
    listener.OutOfDescriptors = [&listener] {
        Connections open = listener.OpenConnections();
        if (evictOne(open)) return true;
        return countedConnections(open) == 0 && listener.TurnAwayWaitingClient();
    };
}

}  // namespace server
