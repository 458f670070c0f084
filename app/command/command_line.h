#pragma once
// Runs one command line through the main window, as a command from the network arrives.

#include <string_view>

class Window1;

namespace command {

// Ends the line with a carriage return, lexes it one character at a time (letting other events
// run after each) into a fresh token list and runs its statements. The frame is not sent here.
void runCommandLine(Window1& window, std::string_view line);

}  // namespace command
