#pragma once
// Without windows, the operator reads the program on standard output: one line for each command line
// run, one for each real change of a status state, one for each status event, and every message.

#include <functional>
#include <string>

class Window1;

namespace headless {

// Prints each command line the console runs with its result, the window's status model (the states
// as they change, every event) under the names of the labels that show it, and the message boxes.
// print receives each line without its line end.
void attach(Window1& window, std::function<void(const std::string&)> print);

}  // namespace headless
