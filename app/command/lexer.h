#pragma once
// The command lexer: turns a command line, one character at a time, into string tokens.

#include <string>
#include <vector>

namespace command {

// Lexes one character. Digits gather in token; an operator flushes token (even when empty) and
// adds its own token; F and D replace the gathered digits; any other character is kept as
// "[code]" for display and leaves the gathered digits alone, so digits around it join.
void lexCharacter(std::vector<std::string>& tokens, std::string& token, char c);

// The token list as shown to the operator: the tokens after element 0, each followed by a space.
std::string tokenDisplay(const std::vector<std::string>& tokens);

}  // namespace command
