#pragma once
// Runs one command line through the main window's console, as a command from the network arrives.

#include <string_view>

class Window1;

namespace command {

// The console's whole line (query, lexing, statements, levels told), letting other events run after
// each character.
void runCommandLine(Window1& window, std::string_view line);

}  // namespace command
