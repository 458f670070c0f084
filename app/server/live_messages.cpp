#include "server/live_messages.h"

#include <cstdio>

namespace server {

namespace {

// Quotes and backslashes escaped, control bytes as \u00XX; other bytes pass as they are, so the
// reader decodes the captions as UTF-8 just as it decodes the page.
void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendNumbers(std::string& out, std::span<const int32_t> numbers) {
    out += '[';
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(numbers[i]);
    }
    out += ']';
}

void appendField(std::string& out, std::string_view name) {
    if (!out.empty() && out.back() != '{') out += ',';
    appendJsonString(out, name);
    out += ':';
}

void appendStringField(std::string& out, std::string_view name, std::string_view value) {
    appendField(out, name);
    appendJsonString(out, value);
}

void appendOutcome(std::string& out, const CommandOutcome& outcome) {
    appendField(out, "selection");
    appendNumbers(out, outcome.selection);
    appendStringField(out, "query", outcome.query);
    appendStringField(out, "tokens", outcome.tokens);
    appendStringField(out, "results", outcome.results);
}

void appendOutput(std::string& out, const dmx::OutputState& output) {
    out += '{';
    appendStringField(out, "name", output.name);
    appendStringField(out, "target", output.target);
    appendStringField(out, "state", output.state);
    out += '}';
}

// One event: its name and its data on one line (the JSON has no raw line ends).
std::string event(std::string_view name, std::string_view data) {
    std::string text = "event: ";
    text.append(name).append("\ndata: ").append(data).append("\n\n");
    return text;
}

}  // namespace

LiveRequest classifyLive(std::string_view requestLine) {
    if (requestLine == "GET /levels") return LiveRequest::levels;
    if (requestLine == "GET /events") return LiveRequest::events;
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
                       const std::vector<dmx::OutputState>& outputs) {
    std::string out = "{";
    appendField(out, "levels");
    appendNumbers(out, levels.subspan(1));
    appendOutcome(out, outcome);
    appendField(out, "outputs");
    out += '[';
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (i) out += ',';
        appendOutput(out, outputs[i]);
    }
    out += "]}";
    return out;
}

std::string commandEvent(const std::vector<LevelChange>& changes, const CommandOutcome& outcome) {
    std::string data = "{";
    appendField(data, "changes");
    data += '[';
    for (size_t i = 0; i < changes.size(); ++i) {
        if (i) data += ',';
        data +=
            '[' + std::to_string(changes[i].first) + ',' + std::to_string(changes[i].second) + ']';
    }
    data += ']';
    appendOutcome(data, outcome);
    data += '}';
    return event("command", data);
}

std::string outputEvent(const dmx::OutputState& output) {
    std::string data;
    appendOutput(data, output);
    return event("output", data);
}

}  // namespace server
