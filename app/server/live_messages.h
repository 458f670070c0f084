#pragma once
// The texts of the live read-back: the levels as JSON for GET /levels, and the Server-Sent Events
// that tell every open stream what a command changed or how an output is doing.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dmx/output_status.h"

namespace server {

inline constexpr std::string_view levelsReplyHead =
    "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nCache-Control: no-store\r\n\r\n";
inline constexpr std::string_view eventStreamHead =
    "HTTP/1.0 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n\r\n";
// A comment line: it keeps proxies from timing the stream out and finds streams whose reader left.
inline constexpr std::string_view eventStreamHeartbeat = ":\n\n";

enum class LiveRequest { none, levels, events };

// GET /levels or GET /events, with or without a query or fragment after the path.
LiveRequest classifyLive(std::string_view requestLine);

// What the console shows about its last command.
struct CommandOutcome {
    std::string_view query;
    std::string_view tokens;
    std::string_view results;
    std::span<const int32_t> selection;
};

using LevelChange = std::pair<int32_t, int32_t>;  // channel, new level

// The channels whose level differs, channel 1 first; both stores hold channels 0 to 512.
std::vector<LevelChange> changedLevels(std::span<const int32_t> before,
                                       std::span<const int32_t> after);

// levels holds channels 0 to 512; channel 0 is left out. The fields of showFields, when given
// ("show", "fixtures", "groups"), go last.
std::string levelsJson(std::span<const int32_t> levels, const CommandOutcome& outcome,
                       const std::vector<dmx::OutputState>& outputs,
                       const std::optional<nlohmann::ordered_json>& showFields = std::nullopt);

std::string commandEvent(const std::vector<LevelChange>& changes, const CommandOutcome& outcome);
std::string outputEvent(const dmx::OutputState& output);
// Levels that moved outside a command line (a fade): {"changes": [[channel, level], ...]}.
std::string levelsEvent(const std::vector<LevelChange>& changes);
// The show's state: /levels's "show" without its "cues".
std::string showEvent(const nlohmann::ordered_json& show);
// The cue list as /levels's "show" gives it, sent when it changed: {"cues": [...]}.
std::string cuesEvent(nlohmann::ordered_json cues);

// The patched fixtures whose read-back changed, as /levels's "fixtures" gives them, and the
// numbers of those no longer patched: {"fixtures": [...], "unpatched": [3]}.
std::string fixturesEvent(nlohmann::ordered_json changed, const std::vector<int32_t>& unpatched);

}  // namespace server
