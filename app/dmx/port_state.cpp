// The main window's handler of the interface port's state: the status line and the list of outputs
// say how the port is, and a port that comes back gets the current universe at once.
#include "dmx/output_status.h"
#include "dmx/send_dmx.h"
#include "shell/window1.h"

namespace {

const std::string outputName = "DMX USB Pro";

}  // namespace

void Window1::Serial1_StateChanged(platform::PortState before) {
    const std::string& port = Serial1.serialPort();
    const bool lost = before == platform::PortState::open;
    switch (Serial1.State()) {
        case platform::PortState::closed:
            dmx::outputStates().remove(outputName);
            return;
        case platform::PortState::waiting:
            dmx::outputStates().report(
                {outputName, port,
                 lost ? "lost, waiting for the device" : "waiting for the device"});
            StaticText1.setCaption(lost ? "DMX interface on " + port +
                                              " lost: the console goes on and waits for it"
                                        : "Waiting for the DMX interface on " + port);
            return;
        case platform::PortState::open:
            dmx::outputStates().report({outputName, port, "sending"});
            if (before == platform::PortState::waiting) {
                StaticText1.setCaption("DMX interface on " + port +
                                       " connected: sending the current levels");
                Module1::sendDMX();
            }
            return;
    }
}
