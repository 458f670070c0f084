#include "server/live_messages.h"

#include <nlohmann/json.hpp>

namespace server {

namespace {

// Fields in the order readers have always seen them.
using Json = nlohmann::ordered_json;

Json numbers(std::span<const int32_t> values) {
    return Json(std::vector<int32_t>(values.begin(), values.end()));
}

void addOutcome(Json& json, const CommandOutcome& outcome) {
    json["selection"] = numbers(outcome.selection);
    json["query"] = outcome.query;
    json["tokens"] = outcome.tokens;
    json["results"] = outcome.results;
}

Json outputJson(const dmx::OutputState& output) {
    return {{"name", output.name}, {"target", output.target}, {"state", output.state}};
}

// Captions come from the network: bytes that are not UTF-8 become U+FFFD, so every reader can
// decode the document.
std::string dumped(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// One event: its name and its data on one line (the JSON has no raw line ends).
std::string event(std::string_view name, const Json& data) {
    std::string text = "event: ";
    text.append(name).append("\ndata: ").append(dumped(data)).append("\n\n");
    return text;
}

}  // namespace

LiveRequest classifyLive(std::string_view requestLine) {
    // A query or a fragment is still the path: it never becomes a command.
    const std::string_view path = requestLine.substr(0, requestLine.find_first_of("?#"));
    if (path == "GET /levels") return LiveRequest::levels;
    if (path == "GET /events") return LiveRequest::events;
    return LiveRequest::none;
}

std::vector<LevelChange> changedLevels(std::span<const int32_t> before,
                                       std::span<const int32_t> after) {
    std::vector<LevelChange> changes;
    for (size_t channel = 1; channel < before.size() && channel < after.size(); ++channel) {
        if (before[channel] != after[channel])
            changes.emplace_back(static_cast<int32_t>(channel), after[channel]);
    }
    return changes;
}

std::string levelsJson(std::span<const int32_t> levels, const CommandOutcome& outcome,
                       const std::vector<dmx::OutputState>& outputs,
                       const std::optional<Json>& showFields) {
    Json json = {{"levels", numbers(levels.subspan(1))}};
    addOutcome(json, outcome);
    json["outputs"] = Json::array();
    for (const dmx::OutputState& output : outputs) json["outputs"].push_back(outputJson(output));
    if (showFields) json.update(*showFields);
    return dumped(json);
}

std::string commandEvent(const std::vector<LevelChange>& changes, const CommandOutcome& outcome) {
    Json data = {{"changes", Json(changes)}};
    addOutcome(data, outcome);
    return event("command", data);
}

std::string outputEvent(const dmx::OutputState& output) {
    return event("output", outputJson(output));
}

std::string levelsEvent(const std::vector<LevelChange>& changes) {
    return event("levels", {{"changes", Json(changes)}});
}

std::string showEvent(const Json& show) {
    return event("show", show);
}

std::string cuesEvent(Json cues) {
    Json data;
    data["cues"] = std::move(cues);
    return event("cues", data);
}

std::string fixturesEvent(Json changed, const std::vector<int32_t>& unpatched) {
    Json data;
    data["fixtures"] = std::move(changed);
    data["unpatched"] = unpatched;
    return event("fixtures", data);
}

}  // namespace server
