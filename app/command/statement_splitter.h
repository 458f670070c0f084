#pragma once
// Cuts a lexed command line into statements at ";" and "|", logging each in the command history.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace command {

// The history is emptied, before a line runs, once it has grown past this many characters.
inline constexpr size_t historyLimit = 30000;

using StatementHandler = std::function<void(const std::vector<std::string>& statement)>;

// Runs the statements of tokens (from index 1) in order. Each statement handed on starts with an
// empty element 0 and ends with its separator. An empty statement ends the line: the tokens after
// it are not looked at. Empty tokens are dropped. The line's history entry ends with a CR.
void runStatements(const std::vector<std::string>& tokens, platform::EditField& history,
                   const StatementHandler& handle);

}  // namespace command
