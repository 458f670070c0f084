#include "command/command_line.h"

#include "command/console.h"
#include "platform/events.h"
#include "shell/window1.h"

namespace command {

void runCommandLine(Window1& window, std::string_view line, std::string source) {
    window.console.runLine(line, std::move(source), platform::yieldToBackgroundTasks);
}

}  // namespace command
