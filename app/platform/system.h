#pragma once
// What the framework's System object tells of the machine.

#include <string>
#include <vector>

namespace platform::System {

// The serial ports, in a stable order. BRANNIC_SERIAL_PORTS (device paths separated by ":")
// replaces the system's list when it is set.
std::vector<std::string> SerialPorts();
int SerialPortCount();

struct SerialPortName {
    std::string node;
    // A link in /dev/serial/by-id that leads to the node; empty when the system has none.
    std::string stableName;
    // What lists show: the node, and its stable name beside it.
    std::string Name() const;
    // What to open: the stable name when there is one, which names the same adapter after a
    // replug, also when it comes back on another node.
    const std::string& Path() const;
};
// SerialPorts() with the stable names, in the same order.
std::vector<SerialPortName> SerialPortList();
// The link in folder that leads to the node, empty when none does.
std::string StableSerialName(const std::string& node,
                             const std::string& folder = "/dev/serial/by-id");

namespace Network {
bool IsConnected();
int NetworkInterfaceCount();
// The interface's IPv4 address as text, empty when it has none.
std::string IPAddress(int index);
}  // namespace Network

}  // namespace platform::System
