#include "dmx/send_dmx.h"

#include "dmx/interface_packets.h"
#include "netdmx/network_output.h"
#include "platform/window.h"
#include "shell/module1.h"
#include "shell/window1.h"

namespace Module1 {

void sendDMX() {
    if (Window1* main = platform::Implicit<Window1>::find())
        main->Serial1.WriteLatest(dmx::dmxFrame(DMXdata));
    netdmx::universeChanged(DMXdata);
}

}  // namespace Module1
