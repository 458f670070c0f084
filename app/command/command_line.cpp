#include "command/command_line.h"

#include "platform/events.h"
#include "shell/window1.h"

namespace command {

void runCommandLine(Window1& window, std::string_view line) {
    window.tokens.assign(1, std::string());
    const auto lexOne = [&window](std::string_view character) {
        window.lexTokens(character);
        platform::yieldToBackgroundTasks();
    };
    for (size_t i = 0; i < line.size(); ++i) lexOne(line.substr(i, 1));
    lexOne("\r");
    window.parseCommand();
}

}  // namespace command
