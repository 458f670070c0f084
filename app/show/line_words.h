#pragma once
// The words of a typed line with show control on. The channel language reads letters as
// operators or ignores them, so a slip such as "go!" or "rec5" would set channels; with show
// control on a line is a show line, a fixture line (fixtures/fixture_command.h), a channel line (its operators may be spelled out, "1 thru 5
// at 50", as other consoles' keypads type them), or refused for a word it does not know.

#include <string>
#include <string_view>

namespace show {

struct LineReading {
    enum class Kind { show, fixtures, channels, refused };
    Kind kind = Kind::channels;
    // channels: the line to run, each spelled-out operator (and the spaces around it) its symbol;
    // refused: why, such as `unknown word "go!"`; show and fixtures: empty.
    std::string text;
};

// A line whose first word is a show word followed by a space or the end is a show line, one that
// starts with a fixture word a fixture line (its other words are its own); a show or fixture
// word glued to more ("rec5", "go!", "fix3@50") is refused. In any other line, thru, at, and, except, full
// and dmx (any case) are the operators / @ + - F D, and any other run of two or more letters not
// made only of D and F is refused: single letters keep their channel meaning ("1t5a50").
LineReading readLine(std::string_view line);

// True when the line has a run of two or more letters not made only of D and F: with show
// control on such a line was typed in words, so a form's "+" in it is a space.
bool hasWord(std::string_view line);

}  // namespace show
