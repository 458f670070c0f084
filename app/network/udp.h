#pragma once
// Datagrams out over IPv4: a non-blocking socket that never holds up the event thread, and the
// addresses to send to.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "network/ipv4_interfaces.h"

namespace platform {

// The address of a host: an address literal at once, a name through the resolver (which may wait
// for the name server; done when settings are applied, not per packet). Nothing when it does not
// resolve.
std::optional<Ipv4> resolveIpv4(const std::string& host);
// Each host's address onto into; what is wrong with the first that does not resolve, empty when
// every one did.
std::string resolveHosts(const std::vector<std::string>& hosts, std::vector<Ipv4>& into);
// The directed broadcast address of each IPv4 interface that is up, loopback left out.
std::vector<Ipv4> broadcastAddresses();
std::string hostName();

class UdpSender {
  public:
    UdpSender();
    ~UdpSender();
    UdpSender(const UdpSender&) = delete;
    UdpSender& operator=(const UdpSender&) = delete;

    // The reason of a failure, empty when the datagram was handed to the system. A full send
    // buffer drops the datagram quietly: the next one carries the latest levels anyway.
    std::string send(Ipv4 address, uint16_t port, const std::vector<uint8_t>& datagram);

  private:
    int socket_ = -1;
    std::string openError_;
};

}  // namespace platform
