#pragma once
// The serial line of the USB DMX Pro interface.

#include "platform/serial.h"

namespace dmx {

// 57600 baud, 8 data bits, no parity, 1 stop bit, no flow control, DTR off.
inline constexpr platform::LineSettings interfaceLine{
    .baud = 57600,
    .dataBits = 8,
    .parity = platform::LineSettings::Parity::none,
    .stopBits = 1,
    .flowControl = platform::LineSettings::FlowControl::none,
    .dataTerminalReady = false,
};

}  // namespace dmx
