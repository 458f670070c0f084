#pragma once
// The machine's IPv4 interfaces, read in one place for the addresses shown to the user and the
// broadcast addresses the network outputs send to.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// An IPv4 address in host byte order.
using Ipv4 = uint32_t;

std::string ipv4Text(Ipv4 address);

struct Ipv4Interface {
    Ipv4 address = 0;
    std::optional<Ipv4> netmask;
    bool running = false;
};

// Each interface that is up and has an IPv4 address, in the system's order. Loopback is left out:
// nothing elsewhere reaches the console through it.
std::vector<Ipv4Interface> ipv4Interfaces();

}  // namespace platform
