#pragma once
// Show command lines: "rec 5 time 3/5 label Act 1", "go from 4", "gm 80", "bo on", "undo".
// Words are separated by spaces. A browser form sends a space as "+", which the query decoder
// leaves alone: the caller turns the raw query value's "+" into spaces (formSpaces) before
// decoding it, so a real plus (sent as %2B) survives into a label.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "show/show_numbers.h"

namespace show {

// `rec` alone takes the next whole number after the highest cue.
struct Record {
    std::optional<CueNumber> number;
    std::optional<FadeTimes> times;
    std::optional<std::string> label;
};
struct ChangeCue {
    CueNumber number = 0;
    std::optional<FadeTimes> times;
    std::optional<std::string> label;
};
struct DeleteCue {
    CueNumber number = 0;
};
// `go from N`: only while N is current; `go from none`: only while no cue is.
struct Go {
    bool guarded = false;
    std::optional<CueNumber> from;
};
struct Back {};
struct GoTo {
    CueNumber number = 0;
    std::optional<FadeTimes> times;  // every channel's, instead of the cue's own
};
struct SetMaster {
    int32_t percent = 100;
};
struct SetBlackout {
    enum class Switch { toggle, on, off } to = Switch::toggle;
};
struct Undo {};
// A show line that cannot run; the result text says why.
struct Refused {
    std::string reason;
};

using ShowCommand = std::variant<Refused, Record, ChangeCue, DeleteCue, Go, Back, GoTo, SetMaster,
                                 SetBlackout, Undo>;

// True for a word (in lower case) that starts a show line: rec, cue, del, go, back, goto, gm, bo,
// undo. Which lines are show lines: readLine (line_words.h).
bool isShowWord(std::string_view word);
// The raw query value with every "+" a space, to be decoded after.
std::string formSpaces(std::string_view rawQueryValue);
// The command of a show line (one readLine reads as one).
ShowCommand parseShowCommand(std::string_view line);

}  // namespace show
