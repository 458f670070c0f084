#include "osc/respond.h"

namespace osc {

platform::OscReply respond(const platform::OscMessage& message, const platform::OscSender& sender,
                           int64_t nowMs, SenderGate& gate, bool showControl,
                           const std::function<std::string(const Action&)>& run) {
    switch (gate.judge(sender.host, nowMs)) {
        case SenderGate::Verdict::RefusedSilently:
            return {};
        case SenderGate::Verdict::RefusedWithReply:
            return {errorAddress, notAllowedText};
        case SenderGate::Verdict::Taken:
            break;
    }
    Mapping mapped = mapMessage(message, showControl);
    if (!mapped.action) return {errorAddress, std::move(mapped.refusal)};
    return {resultAddress, run(*mapped.action)};
}

}  // namespace osc
