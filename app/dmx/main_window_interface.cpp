// The main window's handlers of its DMX interface: the reply shows in the interface dialog, the
// port's state on the status line. Both are events: a second loss or reply is told again.
#include "dmx/win_config.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "shell/window1.h"
#include "status/status_model.h"

void Window1::Serial1_DataAvailable(const std::string& firmwareText) {
    // The dialog is made first, so that it shows the reply.
    platform::Implicit<WinConfig>::instance();
    status.addEvent(status::Source::interfaceDialog, firmwareText, platform::steadyMs());
}

void Window1::Serial1_StateChanged(const std::string& statusLine) {
    status.addEvent(status::Source::statusLine, statusLine, platform::steadyMs());
}
