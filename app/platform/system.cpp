#include "platform/system.h"

#include <QNetworkInterface>
#include <QSerialPortInfo>
#include <algorithm>
#include <cstdlib>
#include <sstream>

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

bool usable(const QNetworkInterface& interface) {
    auto flags = interface.flags();
    return flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning);
}

// The IPv4 addresses of the interfaces that are up, in the system's order.
std::vector<std::pair<std::string, bool>> interfaceAddresses() {
    std::vector<std::pair<std::string, bool>> found;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (!usable(interface)) continue;
        bool loopback = interface.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                found.emplace_back(entry.ip().toString().toStdString(), loopback);
                break;
            }
        }
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

namespace Network {

bool IsConnected() {
    auto addresses = interfaceAddresses();
    return std::any_of(addresses.begin(), addresses.end(),
                       [](const auto& entry) { return !entry.second; });
}

int NetworkInterfaceCount() {
    return static_cast<int>(interfaceAddresses().size());
}

std::string IPAddress(int index) {
    auto addresses = interfaceAddresses();
    if (index < 0 || index >= static_cast<int>(addresses.size())) return {};
    return addresses[static_cast<size_t>(index)].first;
}

}  // namespace Network

}  // namespace platform::System
