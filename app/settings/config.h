#pragma once
// The settings, kept in "Tolvex.config" in the preferences folder: eight lines in a fixed order.

#include "shell/module1.h"

namespace Module1 {

// Loads the file once at start-up and sets the "Start Minimized" check mark. Without a readable
// file the values stay and the port index becomes -1 (none chosen).
void readConfig();
// Replaces the file with the current values and tells the user whether that worked.
void writeConfig();

}  // namespace Module1
