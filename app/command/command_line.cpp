#include "command/command_line.h"

#include "shell/window1.h"
#include "show/show_control.h"

namespace command {

void runCommandLine(Window1& window, std::string_view line, std::string source) {
    window.showControl.runLine(line, std::move(source));
}

}  // namespace command
