#include "network/socket_error.h"

#include <cerrno>

namespace platform {

SocketError socketErrorFor(int error) {
    switch (error) {
        case ECONNREFUSED:
        case ECONNRESET:
        case EPIPE:
        case ETIMEDOUT:
        case ENOTCONN:
        case EHOSTUNREACH:
        case ENETUNREACH:
            return SocketError::disconnected;
        case EADDRNOTAVAIL:
            return SocketError::badAddress;
        case EACCES:
        case EPERM:
            return SocketError::noPermission;
        case EADDRINUSE:
            return SocketError::portInUse;
        case EINVAL:
        case EBADF:
            return SocketError::invalidState;
        default:
            return SocketError::driver;
    }
}

}  // namespace platform
