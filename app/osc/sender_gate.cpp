#include "osc/sender_gate.h"

#include <algorithm>

namespace osc {

SenderGate::SenderGate(std::vector<std::string> allowed, bool webLogin)
    : allowed_(std::move(allowed)), closed_(webLogin && allowed_.empty()) {}

SenderGate::Verdict SenderGate::judge(const std::string& host, int64_t nowMs) {
    if (allows(host)) return Verdict::Taken;
    return mayReply(host, nowMs) ? Verdict::RefusedWithReply : Verdict::RefusedSilently;
}

std::optional<std::string> SenderGate::closedNote() const {
    if (!closed_) return std::nullopt;
    return "OSC: no sender is taken while the web login is on; allow one with --osc-allow HOST "
           "or osc.allow";
}

bool SenderGate::allows(const std::string& host) const {
    if (closed_) return false;
    return allowed_.empty() || std::find(allowed_.begin(), allowed_.end(), host) != allowed_.end();
}

bool SenderGate::mayReply(const std::string& host, int64_t nowMs) {
    auto found = silentUntil_.find(host);
    if (found != silentUntil_.end()) {
        if (nowMs < found->second) return false;
        found->second = nowMs + silenceMs;
        return true;
    }
    if (silentUntil_.size() >= silencedCap)
        std::erase_if(silentUntil_, [nowMs](const auto& entry) { return nowMs >= entry.second; });
    if (silentUntil_.size() >= silencedCap) return false;
    silentUntil_.emplace(host, nowMs + silenceMs);
    return true;
}

}  // namespace osc
