#pragma once
// Without windows, the operator reads the program on standard output: one line for each command line
// run, one for each real change of a status text, and every message.

#include <functional>
#include <string>

class Window1;

namespace headless {

// Prints each command line the console runs with its result, the changes of the main window's
// status labels and of the DMX dialog's status line, and the message boxes. print receives each line
// without its line end.
void attach(Window1& window, std::function<void(const std::string&)> print);

}  // namespace headless
