// The main window's command methods keep their names; the console does the work.

#include <string>
#include <string_view>
#include <vector>

#include "command/console.h"
#include "shell/window1.h"

void Window1::lexTokens(std::string_view character) {
    console.lexTokens(character);
}

void Window1::dispTokens() {
    console.dispTokens();
}

void Window1::parseCommand() {
    console.parseCommand();
}

void Window1::parseTokens(const std::vector<std::string>& statement) {
    console.parseTokens(statement);
}
