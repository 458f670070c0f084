#pragma once
// One OSC message from end to end, short of the console: the sender gate, the address space, the
// action handed to the console, and the one reply.

#include <cstdint>
#include <functional>
#include <string>

#include "network/osc_message.h"
#include "osc/address_space.h"
#include "osc/sender_gate.h"
#include "show/action_queue.h"

namespace osc {

inline constexpr const char* resultAddress = "/brannic/out/result";
inline constexpr const char* errorAddress = "/brannic/out/error";

// Hands a taken action to the console, sent from source; done is told its result when it has run.
using Submit = std::function<void(show::ConsoleAction action, std::string source,
                                  show::ActionQueue::Done done)>;
// Sends the reply; one with an empty address is never sent (the sender is to hear nothing).
using Reply = std::function<void(const platform::OscReply& reply)>;

// Judges the message: a refusal is replied at once; a taken action is submitted and its reply,
// its own result, goes when it has run, however many actions wait before it.
void respond(const platform::OscMessage& message, const platform::OscSender& sender, int64_t nowMs,
             SenderGate& gate, bool showControl, const Submit& submit, const Reply& reply);

// The console's action for an OSC action: a show address is the show command an operator would
// type, so it runs, is undone and is told as that line.
show::ConsoleAction consoleAction(const Action& action);

}  // namespace osc
