#pragma once
// What acts on the console, as a value: a typed line, a show command a surface sends, a fader's
// channel, the fade clock's turn. Each runs whole, one at a time, in the order they came
// (action_queue.h).

#include <cstdint>
#include <string>
#include <variant>

#include "show/show_command.h"

namespace show {

// A command line as typed: in a browser, or sent as /brannic/cmd.
struct TypedLine {
    std::string text;
};
// A show command a surface (the Cue List, OSC) sends as a value, with the line an operator would
// type for it: the console shows, keeps in its history and journals that line.
struct ShowLine {
    ShowCommand command;
    std::string text;
};
// One channel (1 to 512) to a raw value, as a fader sets it.
struct ChannelSet {
    int32_t channel = 0;
    int32_t value = 0;
};
// The fade clock's turn: the running fade takes its next step.
struct FadeTick {};

using ConsoleAction = std::variant<TypedLine, ShowLine, ChannelSet, FadeTick>;

// The show lines a surface sends.
ShowLine goLine();
ShowLine backLine();
ShowLine gotoLine(CueNumber number);
ShowLine masterLine(int32_t percent);
ShowLine blackoutLine(bool on);

}  // namespace show
