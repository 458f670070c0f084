// The main window's serial handler: whatever the interface sends is read as its parameter reply.

#include "dmx/firmware_reply.h"
#include "dmx/win_config.h"
#include "platform/window.h"
#include "shell/window1.h"

void Window1::Serial1_DataAvailable() {
    const std::string reply = Serial1.ReadAll();
    platform::Implicit<WinConfig>::instance().StaticText6.setCaption(dmx::firmwareReplyText(reply));
}
