#include "network/socket_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>

namespace platform {

std::string addressText(const sockaddr_storage& address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        if (IN6_IS_ADDR_V4MAPPED(&v6.sin6_addr)) {
            inet_ntop(AF_INET, &v6.sin6_addr.s6_addr[12], text, sizeof text);
        } else {
            inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        }
    }
    return text;
}

std::vector<std::string> hostAddresses(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    std::vector<std::string> texts;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return texts;
    for (const addrinfo* address = found; address; address = address->ai_next) {
        sockaddr_storage storage{};
        std::memcpy(&storage, address->ai_addr, address->ai_addrlen);
        texts.push_back(addressText(storage));
    }
    freeaddrinfo(found);
    return texts;
}

}  // namespace platform
