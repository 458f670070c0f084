#include "network/tcp_listen.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "network/socket_error.h"

namespace platform::detail {

namespace {

// False with no error set when the system has no sockets of this family.
bool bindAndListen(int family, int32_t wanted, Listening& result) {
    int descriptor = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor < 0) return false;
    int yes = 1, no = 0;
    setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_storage address{};
    socklen_t length;
    if (family == AF_INET6) {
        setsockopt(descriptor, IPPROTO_IPV6, IPV6_V6ONLY, &no, sizeof no);
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = in6addr_any;
        v6.sin6_port = htons(static_cast<uint16_t>(wanted));
        length = sizeof v6;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = htonl(INADDR_ANY);
        v4.sin_port = htons(static_cast<uint16_t>(wanted));
        length = sizeof v4;
    }
    // A long queue: a burst of a few hundred connects waits there instead of being retried.
    if (::bind(descriptor, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(descriptor, SOMAXCONN) != 0) {
        result.error = code(socketErrorFor(errno));
        ::close(descriptor);
        return false;
    }
    getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length);
    result.port = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(address).sin6_port
                                           : reinterpret_cast<sockaddr_in&>(address).sin_port);
    result.fd = descriptor;
    return true;
}

}  // namespace

Listening listenOn(int32_t port) {
    Listening result;
    if (port < 0 || port > 65535) {
        result.error = code(SocketError::invalidState);
    } else if (bindAndListen(AF_INET6, port, result) ||
               (result.error == 0 && bindAndListen(AF_INET, port, result))) {
        return result;
    }
    if (result.error == 0) result.error = code(SocketError::driver);
    return result;
}

}  // namespace platform::detail
