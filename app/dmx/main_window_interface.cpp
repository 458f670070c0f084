// The main window's handlers of its DMX interface: the reply shows in the interface dialog, the
// port's state on the status line.
#include "dmx/win_config.h"
#include "platform/window.h"
#include "shell/window1.h"

void Window1::Serial1_DataAvailable(const std::string& firmwareText) {
    platform::Implicit<WinConfig>::instance().StaticText6.setCaption(firmwareText);
}

void Window1::Serial1_StateChanged(const std::string& statusLine) {
    StaticText1.setCaption(statusLine);
}
