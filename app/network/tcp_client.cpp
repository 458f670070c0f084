// The client side of a TCPSocket: a numeric address connects at once, a host name is looked up off
// the event thread first. Poll() reads and writes without the event loop, for the synchronous HTTP
// client.
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "event_loop/owned_timer.h"
#include "network/socket_address.h"
#include "network/socket_error.h"
#include "network/tcp_connection.h"

namespace platform::detail {

void SocketImpl::connectTo(const std::string& host, int32_t port) {
    closeDescriptor();
    lastError = 0;
    in.clear();
    out.clear();
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* numeric = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &numeric) == 0) {
        connectToAddress(*numeric);
        freeaddrinfo(numeric);
    } else {
        startLookup(host, port);
    }
}

void SocketImpl::startLookup(const std::string& host, int32_t port) {
    lookup = std::make_unique<NameLookup>(host, port);
    if (lookup->descriptor() < 0) {
        lookup.reset();
        reportLater(code(SocketError::driver));
        return;
    }
    connecting = true;
    lookupNotifier = std::make_unique<QSocketNotifier>(lookup->descriptor(), QSocketNotifier::Read);
    QObject::connect(lookupNotifier.get(), &QSocketNotifier::activated, [this] { finishLookup(); });
}

void SocketImpl::finishLookup() {
    if (!lookup || !lookup->finished()) return;
    // The notifier is inside its own signal right now: it goes when control returns.
    lookupNotifier.release()->deleteLater();
    std::unique_ptr<NameLookup> answered = std::move(lookup);
    connecting = false;
    if (const addrinfo* found = answered->address()) {
        connectToAddress(*found);
    } else {
        lastError = code(SocketError::badAddress);
        fire(&TCPSocket::Error);
    }
}

void SocketImpl::connectToAddress(const addrinfo& found) {
    int descriptor = ::socket(found.ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int result = ::connect(descriptor, found.ai_addr, found.ai_addrlen);
    int error = errno;
    sockaddr_storage peer{};
    std::memcpy(&peer, found.ai_addr, found.ai_addrlen);
    remote = addressText(peer);
    if (result != 0 && error != EINPROGRESS) {
        ::close(descriptor);
        reportLater(code(socketErrorFor(error)));
        return;
    }
    connecting = true;
    attach(descriptor);
}

void SocketImpl::finishConnecting() {
    int error = 0;
    socklen_t length = sizeof error;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
        fail(code(socketErrorFor(error)));
        return;
    }
    connecting = false;
    connected = true;
    fire(&TCPSocket::Connected);
}

void SocketImpl::reportLater(int32_t code) {
    lastError = code;
    errorPending = true;
    callLater(context, 0, [this] { deliverPendingError(); });
}

void SocketImpl::deliverPendingError() {
    if (!errorPending) return;
    errorPending = false;
    fire(&TCPSocket::Error);
}

void SocketImpl::poll() {
    deliverPendingError();
    if (lookup) {
        pollfd answer{lookup->descriptor(), POLLIN, 0};
        if (::poll(&answer, 1, 5) > 0) finishLookup();
        return;
    }
    if (fd < 0) return;
    pollfd request{fd, static_cast<short>(POLLIN | ((connecting || !out.empty()) ? POLLOUT : 0)),
                   0};
    if (::poll(&request, 1, 5) <= 0) return;
    if (request.revents & (POLLOUT | POLLERR | POLLHUP)) onWritable();
    if (fd >= 0 && (request.revents & (POLLIN | POLLHUP | POLLERR))) onReadable();
}

}  // namespace platform::detail
