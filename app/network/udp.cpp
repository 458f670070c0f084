#include "network/udp.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::optional<Ipv4> resolveIpv4(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    Ipv4 address = ntohl(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return address;
}

std::string resolveHosts(const std::vector<std::string>& hosts, std::vector<Ipv4>& into) {
    for (const std::string& host : hosts) {
        auto address = resolveIpv4(host);
        if (!address) return "the host \"" + host + "\" does not resolve to an IPv4 address";
        into.push_back(*address);
    }
    return {};
}

std::vector<Ipv4> broadcastAddresses() {
    std::vector<Ipv4> found;
    for (const Ipv4Interface& interface : ipv4Interfaces()) {
        if (interface.netmask) found.push_back(interface.address | ~*interface.netmask);
    }
    return found;
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

UdpSender::UdpSender() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        openError_ = std::strerror(errno);
        return;
    }
    int on = 1;
    // Multicast reaches the routers' next hop only by default; raise it so routed sACN networks
    // work, and loop it back so a receiver on this machine (a visualiser) sees it too.
    unsigned char ttl = 16, loop = 1;
    setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
    setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop);
}

UdpSender::~UdpSender() {
    if (socket_ >= 0) ::close(socket_);
}

std::string UdpSender::send(Ipv4 address, uint16_t port, const std::vector<uint8_t>& datagram) {
    if (socket_ < 0) return openError_;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    ssize_t sent = ::sendto(socket_, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                            reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (sent >= 0 || errno == EAGAIN || errno == EWOULDBLOCK) return {};
    return std::strerror(errno);
}

}  // namespace platform
