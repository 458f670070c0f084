#include "command/command_line.h"

#include "command/console.h"
#include "platform/events.h"
#include "shell/window1.h"

namespace command {

void runCommandLine(Window1& window, std::string_view line) {
    window.console.runLine(line, platform::yieldToBackgroundTasks);
}

}  // namespace command
