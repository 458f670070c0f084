#pragma once
// Which senders' OSC messages are taken. OSC has no login of its own, so while the web login is on
// a sender must be named; a refused sender hears once why, then nothing for a minute, so a forged
// sender address cannot turn the console into an amplifier.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace osc {

class SenderGate {
  public:
    // allowed: the numeric addresses of the named hosts. With none named every sender is taken,
    // unless webLogin is on: then none is.
    SenderGate(std::vector<std::string> allowed, bool webLogin);

    enum class Verdict { Taken, RefusedWithReply, RefusedSilently };
    // host: the sender's numeric address; nowMs: a steady clock in milliseconds.
    Verdict judge(const std::string& host, int64_t nowMs);

    // The status line to show once when no sender can be taken at all.
    std::optional<std::string> closedNote() const;

    static constexpr int64_t silenceMs = 60'000;
    // Refused senders remembered at a time; beyond them a refusal gets no reply at all.
    static constexpr size_t silencedCap = 256;

  private:
    bool allows(const std::string& host) const;
    bool mayReply(const std::string& host, int64_t nowMs);

    std::vector<std::string> allowed_;
    bool closed_;
    std::unordered_map<std::string, int64_t> silentUntil_;
};

// The error text of the reply to a refused sender.
inline constexpr const char* notAllowedText = "this sender is not allowed";

}  // namespace osc
