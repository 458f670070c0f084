#include "dmx/send_dmx.h"

#include "dmx/output.h"
#include "shell/module1.h"

namespace Module1 {

void sendDMX() {
    dmx::outputs().send(DMXdata);
}

}  // namespace Module1
