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

// The IPv4 addresses of the interfaces that are up, in the system's order. The loopback interface
// is left out: no browser elsewhere can reach the console through it.
std::vector<std::string> interfaceAddresses() {
    std::vector<std::string> found;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (!usable(interface) || interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                found.push_back(entry.ip().toString().toStdString());
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
