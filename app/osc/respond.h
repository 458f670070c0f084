#pragma once
// One OSC message from end to end, short of the console: the sender gate, the address space, and
// the one reply.

#include <cstdint>
#include <functional>
#include <string>

#include "network/osc_message.h"
#include "osc/address_space.h"
#include "osc/sender_gate.h"

namespace osc {

inline constexpr const char* resultAddress = "/brannic/out/result";
inline constexpr const char* errorAddress = "/brannic/out/error";

// run carries out a taken action on the console and returns its result text. The reply has an
// empty address when the sender is to hear nothing.
platform::OscReply respond(const platform::OscMessage& message, const platform::OscSender& sender,
                           int64_t nowMs, SenderGate& gate, bool showControl,
                           const std::function<std::string(const Action&)>& run);

}  // namespace osc
