#include "network/ipv4_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace platform {

namespace {

Ipv4 hostOrder(const sockaddr* address) {
    return ntohl(reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr);
}

}  // namespace

std::string ipv4Text(Ipv4 address) {
    in_addr in{htonl(address)};
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &in, text, sizeof text);
    return text;
}

std::vector<Ipv4Interface> ipv4Interfaces() {
    std::vector<Ipv4Interface> found;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return found;
    for (ifaddrs* entry = interfaces; entry; entry = entry->ifa_next) {
        if (!(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK) || !entry->ifa_addr ||
            entry->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        Ipv4Interface interface {
            hostOrder(entry->ifa_addr), std::nullopt, (entry->ifa_flags & IFF_RUNNING) != 0
        };
        if (entry->ifa_netmask) interface.netmask = hostOrder(entry->ifa_netmask);
        found.push_back(interface);
    }
    freeifaddrs(interfaces);
    return found;
}

}  // namespace platform
