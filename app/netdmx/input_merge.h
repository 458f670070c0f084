#pragma once
// The network input joined to the console's own look. The console's part comes in already scaled by
// the master and blackout, which act on it alone.

#include "netdmx/e131_packet.h"

namespace netdmx {

enum class InputMode {
    htp,   // per channel, the higher of the input and the console
    only,  // the input alone
};

// sACN and Art-Net input are merged highest-takes-precedence with each other first.
Slots withInput(const Slots& console, const Slots& sacn, const Slots& artnet, InputMode mode);

}  // namespace netdmx
