#pragma once
// The error codes that the TCP sockets report through LastErrorCode, and the system errors each
// stands for. The status line turns a code into its text.

#include <cstdint>

namespace platform {

enum class SocketError : int32_t {
    driver = 100,
    // Closed, reset or refused by the peer, or the peer out of reach.
    disconnected = 102,
    badAddress = 103,
    // The port needs a privilege the program lacks.
    noPermission = 104,
    portInUse = 105,
    invalidState = 106,
};

// The code for an errno value; what is not listed is a driver error.
SocketError socketErrorFor(int error);

constexpr int32_t code(SocketError error) {
    return static_cast<int32_t>(error);
}

}  // namespace platform
