#include "osc/respond.h"

namespace osc {

void respond(const platform::OscMessage& message, const platform::OscSender& sender, int64_t nowMs,
             SenderGate& gate, bool showControl, const Submit& submit, const Reply& reply) {
    switch (gate.judge(sender.host, nowMs)) {
        case SenderGate::Verdict::RefusedSilently:
            return;
        case SenderGate::Verdict::RefusedWithReply:
            return reply({errorAddress, notAllowedText});
        case SenderGate::Verdict::Taken:
            break;
    }
    Mapping mapped = mapMessage(message, showControl);
    if (!mapped.action) return reply({errorAddress, std::move(mapped.refusal)});
    submit(consoleAction(*mapped.action), "OSC " + sender.host,
           [reply](const std::string& result) { reply({resultAddress, result}); });
}

show::ConsoleAction consoleAction(const Action& action) {
    if (auto* line = std::get_if<CommandLine>(&action)) return show::TypedLine{line->text};
    // The fixture engine reads its own lines: the line is the value.
    if (auto* line = std::get_if<FixtureLine>(&action)) return show::TypedLine{line->text};
    if (auto* level = std::get_if<ChannelLevel>(&action))
        return show::ChannelSet{level->channel, level->value};
    if (std::holds_alternative<Go>(action)) return show::goLine();
    if (std::holds_alternative<Back>(action)) return show::backLine();
    if (auto* fire = std::get_if<Fire>(&action)) return show::gotoLine(fire->tenths);
    if (auto* master = std::get_if<Master>(&action)) return show::masterLine(master->percent);
    return show::blackoutLine(std::get<Blackout>(action).on);
}

}  // namespace osc
