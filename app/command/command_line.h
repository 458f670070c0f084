#pragma once
// Runs one command line through the main window's show control and console, as a command from the
// network arrives.

#include <string>
#include <string_view>

class Window1;

namespace command {

// The console's whole line (query, lexing, statements, levels told), letting other events run after
// each character; with show control on, a show line goes to the show instead. source says who sent
// it, such as the client's address.
void runCommandLine(Window1& window, std::string_view line, std::string source = {});

}  // namespace command
