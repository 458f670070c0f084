#include "platform/system.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "network/ipv4_interfaces.h"

namespace platform::System {

namespace {

std::vector<std::string> portsFromEnvironment(const char* list) {
    std::vector<std::string> ports;
    std::stringstream stream(list);
    for (std::string device; std::getline(stream, device, ':');) {
        if (!device.empty()) ports.push_back(device);
    }
    return ports;
}

// The IPv4 address of each interface that is up and running, in the system's order.
std::vector<std::string> interfaceAddresses() {
    std::vector<std::string> found;
    for (const Ipv4Interface& interface : ipv4Interfaces()) {
        if (interface.running) found.push_back(ipv4Text(interface.address));
    }
    return found;
}

}  // namespace

std::vector<std::string> SerialPorts() {
    if (const char* list = std::getenv("BRANNIC_SERIAL_PORTS")) return portsFromEnvironment(list);
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back(info.systemLocation().toStdString());
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

int SerialPortCount() {
    return static_cast<int>(SerialPorts().size());
}

std::string SerialPortName::Name() const {
    return stableName.empty() ? node : node + " (" + stableName + ")";
}

const std::string& SerialPortName::Path() const {
    return stableName.empty() ? node : stableName;
}

std::vector<SerialPortName> SerialPortList() {
    std::vector<SerialPortName> list;
    for (const std::string& node : SerialPorts()) list.push_back({node, StableSerialName(node)});
    return list;
}

std::string StableSerialName(const std::string& node, const std::string& folder) {
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(node, error);
    if (error) return {};
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code dangling;
        if (std::filesystem::canonical(entry->path(), dangling) == device && !dangling)
            names.push_back(entry->path().string());
    }
    // Several links for one node (by-id of each interface of a composite device): the same one
    // every time.
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

namespace Network {

bool IsConnected() {
    return !interfaceAddresses().empty();
}

int NetworkInterfaceCount() {
    return static_cast<int>(interfaceAddresses().size());
}

std::string IPAddress(int index) {
    auto addresses = interfaceAddresses();
    if (index < 0 || index >= static_cast<int>(addresses.size())) return {};
    return addresses[static_cast<size_t>(index)];
}

}  // namespace Network

}  // namespace platform::System
