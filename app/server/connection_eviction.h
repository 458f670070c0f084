#pragma once
// Which client connection gives way when the server is full and another one waits to come in.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

namespace server {

using SteadyTime = std::chrono::steady_clock::time_point;

// A connection that has sent nothing for this long counts as idle even though it sent before. It
// is long enough for a person typing a request over telnet, key by key.
inline constexpr std::chrono::seconds idleLimit{10};

// A connection that may be closed: it has no request being answered and no event on its way.
struct EvictionCandidate {
    uint64_t id;
    // When its last bytes arrived, or when it was accepted if none have.
    SteadyTime lastHeard;
    bool heardAny;
};

// Idle connections (silent since they were accepted, or quiet past idleLimit) give way before
// those still sending, and among either the one quiet longest goes first.
std::optional<uint64_t> connectionToEvict(std::span<const EvictionCandidate> candidates,
                                          SteadyTime now);

}  // namespace server
