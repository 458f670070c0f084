#pragma once
// Opening the listening socket of a server: on every address, IPv6 with IPv4 clients where the
// system has IPv6, else IPv4 alone.

#include <cstdint>

namespace platform::detail {

struct Listening {
    // The non-blocking listening descriptor, -1 on failure.
    int fd = -1;
    // The port it listens on, the one the system chose when 0 was asked for.
    int32_t port = 0;
    // On failure, the socket error code.
    int32_t error = 0;
};

Listening listenOn(int32_t port);

}  // namespace platform::detail
