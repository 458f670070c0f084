#include "dmx/send_dmx.h"

#include "command/level_store.h"
#include "dmx/interface_packets.h"
#include "dmx/level_view.h"
#include "platform/window.h"
#include "ui/aux_windows.h"
#include "ui/window1.h"

namespace Module1 {

void sendDMX() {
    platform::Implicit<WinLevels>::instance().EditField1.setText(dmx::levelViewText(DMXdata));
    platform::Implicit<Window1>::instance().Serial1.WriteLatest(dmx::dmxFrame(DMXdata));
}

}  // namespace Module1
