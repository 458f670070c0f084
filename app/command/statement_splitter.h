#pragma once
// Cuts a lexed command line into statements at ";" and "|".

#include <functional>
#include <string>
#include <vector>

namespace command {

using StatementHandler = std::function<void(const std::vector<std::string>& statement)>;

// Runs the statements of tokens (from index 1) in order. Each statement handed on starts with an
// empty element 0 and ends with its separator. An empty statement ends the line: the tokens after
// it are not looked at. Empty tokens are dropped.
void runStatements(const std::vector<std::string>& tokens, const StatementHandler& handle);

// The statement as the history logs it: its elements after element 0, joined without spaces.
std::string statementText(const std::vector<std::string>& statement);

}  // namespace command
