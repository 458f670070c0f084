#pragma once
// What the framework's System object tells of the machine.

#include <string>
#include <vector>

namespace platform::System {

// The serial ports, in a stable order. BRANNIC_SERIAL_PORTS (device paths separated by ":")
// replaces the system's list when it is set.
std::vector<std::string> SerialPorts();
int SerialPortCount();

namespace Network {
bool IsConnected();
int NetworkInterfaceCount();
// The interface's IPv4 address as text, empty when it has none.
std::string IPAddress(int index);
}  // namespace Network

}  // namespace platform::System
