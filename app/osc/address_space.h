#pragma once
// The console's OSC addresses: a message becomes one console action, or the reason it changes
// nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "network/osc_message.h"

namespace osc {

// A command line, run as one typed in a browser.
struct CommandLine {
    std::string text;
};
// One channel (1 to 512) to a raw value (0 to 255).
struct ChannelLevel {
    int32_t channel = 0;
    int32_t value = 0;
};
struct Go {};
struct Back {};
// Fade to a cue, its number in tenths (2.5 is 25).
struct Fire {
    int32_t tenths = 0;
};
// The grand master, percent 0 to 100.
struct Master {
    int32_t percent = 0;
};
// Blackout set on or off, never toggled: a repeated message is harmless.
struct Blackout {
    bool on = false;
};

// A fixture line, as an operator would type it: "fix 3 @ 50", "group 2 color red".
struct FixtureLine {
    std::string text;
};

using Action =
    std::variant<CommandLine, ChannelLevel, Go, Back, Fire, Master, Blackout, FixtureLine>;

// Go, Back, Fire, Master, Blackout and fixture lines drive the show engine: they need show
// control on.
bool isShowAction(const Action& action);

// The action, or (action empty) the reason nothing changed.
struct Mapping {
    std::optional<Action> action;
    std::string refusal;
};

Mapping mapMessage(const platform::OscMessage& message, bool showControl);

}  // namespace osc
