#include "dmx/send_dmx.h"

#include "dmx/interface_packets.h"
#include "dmx/level_view.h"
#include "netdmx/network_output.h"
#include "platform/window.h"
#include "shell/aux_windows.h"
#include "shell/module1.h"
#include "shell/window1.h"

namespace Module1 {

void sendDMX() {
    // The frame goes first: on the desktop, laying out the level view takes milliseconds.
    if (Window1* main = platform::Implicit<Window1>::find())
        main->Serial1.WriteLatest(dmx::dmxFrame(DMXdata));
    netdmx::universeChanged(DMXdata);
    platform::Implicit<WinLevels>::instance().EditField1.setText(dmx::levelViewText(DMXdata));
}

}  // namespace Module1
