// TCP on POSIX sockets, woken by the Qt event loop through socket notifiers. Poll() reads and
// writes without the event loop, for the synchronous HTTP client.
#include "platform/tcp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <vector>

#include "platform/connection_eviction.h"
#include "platform/name_lookup.h"
#include "platform/owned_timer.h"

namespace platform {

namespace {

constexpr int32_t kDriverError = 100;
constexpr int32_t kDisconnected = 102;
constexpr int32_t kBadAddress = 103;
constexpr int32_t kNoPermission = 104;
constexpr int32_t kPortInUse = 105;
constexpr int32_t kInvalidState = 106;
// Open client connections at most, so that idle clients cannot exhaust the program's descriptors.
constexpr size_t kMaxConnections = 128;
// Accepts per wakeup of the listener: between them the loop reads what the accepted clients sent,
// so a request that arrived behind a burst of silent connects is taken before they push it out.
constexpr int kAcceptsPerWakeup = 16;
// A listener that had to stop accepting looks again after this long at the latest.
constexpr int kAcceptRetryMs = 1000;
// One read per wakeup, and none while the handler has yet to see the last one: a connection buffers
// no more than its handler lets stay plus this.
constexpr size_t kReadSize = 16384;
// Reading stops while this much lies unread, whatever the handler does with it.
constexpr size_t kMaxUnread = 65536;

int32_t errorCodeFor(int error) {
    switch (error) {
        case ECONNREFUSED:
        case ECONNRESET:
        case EPIPE:
        case ETIMEDOUT:
        case ENOTCONN:
        case EHOSTUNREACH:
        case ENETUNREACH:
            return kDisconnected;
        case EADDRNOTAVAIL:
            return kBadAddress;
        case EACCES:
        case EPERM:
            return kNoPermission;
        case EADDRINUSE:
            return kPortInUse;
        case EINVAL:
        case EBADF:
            return kInvalidState;
        default:
            return kDriverError;
    }
}

void makeNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// An IPv4 client of a dual-stack listener shows in its dotted form, not as ::ffff:a.b.c.d.
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

// Runs fn after the current event, unless the owner of context is gone by then.
void later(QObject& context, std::function<void()> fn) {
    callLater(context, 0, std::move(fn));
}

}  // namespace

namespace detail {

struct SocketImpl {
    explicit SocketImpl(TCPSocket& owner) : owner(owner) {}
    ~SocketImpl() { closeDescriptor(); }

    TCPSocket& owner;
    QObject context;
    int fd = -1;
    bool connecting = false;
    bool connected = false;
    int32_t lastError = 0;
    // A connect that failed at once: reported by the next Poll or event loop turn, whichever is
    // first.
    bool errorPending = false;
    // An accepted connection answers after its peer has stopped sending.
    bool keepOpenForReply = false;
    bool wrote = false;
    // Bytes were read that the DataAvailable handler has not yet been given.
    bool dataPending = false;
    bool peerClosed = false;
    bool heardAny = false;
    std::chrono::steady_clock::time_point lastHeard;
    std::string remote;
    std::string in;
    std::string out;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;
    // A host name being looked up before the connect; its answer wakes lookupNotifier.
    std::unique_ptr<NameLookup> lookup;
    std::unique_ptr<QSocketNotifier> lookupNotifier;
    // How this socket's events reach their handlers: a listener serialises its connections' events.
    std::function<void(std::function<void()>)> deliver = [](std::function<void()> event) {
        event();
    };

    void attach(int descriptor) {
        fd = descriptor;
        makeNonBlocking(fd);
        readNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(readNotifier.get(), &QSocketNotifier::activated, [this] { onReadable(); });
        writeNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
        writeNotifier->setEnabled(connecting);
        QObject::connect(writeNotifier.get(), &QSocketNotifier::activated,
                         [this] { onWritable(); });
    }

    void closeDescriptor() {
        // The notifiers may be inside their own signal right now: they go when control returns.
        lookup.reset();
        for (auto* notifier :
             {readNotifier.release(), writeNotifier.release(), lookupNotifier.release()}) {
            if (!notifier) continue;
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (fd >= 0) ::close(fd);
        fd = -1;
        connected = false;
        connecting = false;
    }

    // The handler is looked up when the event is delivered: an event queued before a new
    // connection's handlers were wired still reaches them.
    void fire(std::function<void()> TCPSocket::*handler) {
        deliver([this, handler] {
            if (owner.*handler) (owner.*handler)();
        });
    }

    void fail(int32_t code) {
        lastError = code;
        bool wasOpen = fd >= 0;
        closeDescriptor();
        if (wasOpen) fire(&TCPSocket::Error);
    }

    void onReadable() {
        if (fd < 0) return;
        if (dataPending || in.size() >= kMaxUnread) {
            readNotifier->setEnabled(false);
            return;
        }
        char buffer[kReadSize];
        ssize_t got;
        do got = ::recv(fd, buffer, sizeof buffer, 0);
        while (got < 0 && errno == EINTR);
        if (got > 0) {
            in.append(buffer, static_cast<size_t>(got));
            heardAny = true;
            lastHeard = std::chrono::steady_clock::now();
            announceData();
            return;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        // The peer closed (or reset); what arrived before has already been delivered.
        if (got == 0 && keepOpenForReply) {
            awaitReplyAfterPeerClosed();
        } else {
            fail(got == 0 ? kDisconnected : errorCodeFor(errno));
        }
    }

    void announceData() {
        dataPending = true;
        deliver([this] {
            dataPending = false;
            resumeReading();
            if (owner.DataAvailable) owner.DataAvailable();
        });
    }

    void resumeReading() {
        if (readNotifier && !peerClosed) readNotifier->setEnabled(true);
    }

    // A client may close its sending side right after its request (as a shell pipe does) and still
    // wait for the answer: the connection stays up for the reply, and ends when none was written.
    void awaitReplyAfterPeerClosed() {
        peerClosed = true;
        if (readNotifier) readNotifier->setEnabled(false);
        deliver([this] {
            if (fd >= 0 && !wrote) fail(kDisconnected);
        });
    }

    void finishConnecting() {
        int error = 0;
        socklen_t length = sizeof error;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0) {
            fail(errorCodeFor(error));
            return;
        }
        connecting = false;
        connected = true;
        fire(&TCPSocket::Connected);
    }

    void onWritable() {
        if (fd < 0) return;
        if (connecting) {
            finishConnecting();
            if (!connected) return;
        }
        flush();
    }

    void flush() {
        bool sending = !out.empty();
        while (!out.empty()) {
            ssize_t put = ::send(fd, out.data(), out.size(), MSG_NOSIGNAL);
            if (put > 0) {
                out.erase(0, static_cast<size_t>(put));
                continue;
            }
            if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
            if (put < 0 && errno == EINTR) continue;
            fail(errorCodeFor(errno));
            return;
        }
        if (writeNotifier) writeNotifier->setEnabled(!out.empty());
        if (sending && out.empty()) {
            deliver([this] {
                if (owner.SendComplete) owner.SendComplete(false);
            });
        }
    }

    void write(std::string_view bytes) {
        wrote = true;
        if (fd < 0 || connecting) {
            out.append(bytes);
            return;
        }
        out.append(bytes);
        flush();
    }

    void connectTo(const std::string& host, int32_t port) {
        closeDescriptor();
        lastError = 0;
        in.clear();
        out.clear();
        // An address in numbers connects at once; a name is looked up off the event thread.
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

    void startLookup(const std::string& host, int32_t port) {
        lookup = std::make_unique<NameLookup>(host, port);
        if (lookup->descriptor() < 0) {
            lookup.reset();
            reportLater(kDriverError);
            return;
        }
        connecting = true;
        lookupNotifier =
            std::make_unique<QSocketNotifier>(lookup->descriptor(), QSocketNotifier::Read);
        QObject::connect(lookupNotifier.get(), &QSocketNotifier::activated,
                         [this] { finishLookup(); });
    }

    void finishLookup() {
        if (!lookup || !lookup->finished()) return;
        // The notifier is inside its own signal right now: it goes when control returns.
        lookupNotifier.release()->deleteLater();
        std::unique_ptr<NameLookup> answered = std::move(lookup);
        connecting = false;
        if (const addrinfo* found = answered->address()) {
            connectToAddress(*found);
        } else {
            lastError = kBadAddress;
            fire(&TCPSocket::Error);
        }
    }

    void connectToAddress(const addrinfo& found) {
        int descriptor = ::socket(found.ai_family, SOCK_STREAM, 0);
        makeNonBlocking(descriptor);
        int result = ::connect(descriptor, found.ai_addr, found.ai_addrlen);
        int error = errno;
        sockaddr_storage peer{};
        std::memcpy(&peer, found.ai_addr, found.ai_addrlen);
        remote = addressText(peer);
        if (result != 0 && error != EINPROGRESS) {
            ::close(descriptor);
            reportLater(errorCodeFor(error));
            return;
        }
        connecting = true;
        attach(descriptor);
    }

    void reportLater(int32_t code) {
        lastError = code;
        errorPending = true;
        later(context, [this] { deliverPendingError(); });
    }

    void deliverPendingError() {
        if (!errorPending) return;
        errorPending = false;
        fire(&TCPSocket::Error);
    }

    void poll() {
        deliverPendingError();
        if (lookup) {
            pollfd answer{lookup->descriptor(), POLLIN, 0};
            if (::poll(&answer, 1, 5) > 0) finishLookup();
            return;
        }
        if (fd < 0) return;
        pollfd request{
            fd, static_cast<short>(POLLIN | ((connecting || !out.empty()) ? POLLOUT : 0)), 0};
        if (::poll(&request, 1, 5) <= 0) return;
        if (request.revents & (POLLOUT | POLLERR | POLLHUP)) onWritable();
        if (fd >= 0 && (request.revents & (POLLIN | POLLHUP | POLLERR))) onReadable();
    }
};

struct ServerImpl {
    explicit ServerImpl(ServerSocket& owner) : owner(owner) {
        acceptRetry.setSingleShot(true);
        QObject::connect(&acceptRetry, &QTimer::timeout, [this] { resumeAccepting(); });
    }
    ~ServerImpl() {
        close();
        connections.clear();
    }

    struct Connection {
        std::unique_ptr<TCPSocket> socket;
        // Outside the cap: never closed to make room.
        bool exempt = false;
        // Events queued or running: its handler may be holding a request it has taken.
        int eventsOnTheWay = 0;
    };

    ServerSocket& owner;
    QObject context;
    int fd = -1;
    int32_t port = 0;
    int32_t lastError = 0;
    std::unique_ptr<QSocketNotifier> acceptNotifier;
    bool acceptPaused = false;
    QTimer acceptRetry;
    // Held open so that, out of descriptors with nobody to close, a waiting client can still be
    // accepted and turned away instead of being left to hang.
    int reserve = -1;
    std::map<uint64_t, Connection> connections;
    uint64_t nextId = 1;
    bool delivering = false;
    bool sweepScheduled = false;
    std::vector<std::function<void()>> waiting;

    // One event at a time across all connections: a handler that lets other events run while it
    // works is never entered again before it returns.
    void deliver(std::function<void()> event) {
        waiting.push_back(std::move(event));
        if (delivering) return;
        delivering = true;
        while (!waiting.empty()) {
            auto next = std::move(waiting.front());
            waiting.erase(waiting.begin());
            next();
        }
        delivering = false;
        if (sweepScheduled) return;
        sweepScheduled = true;
        later(context, [this] {
            sweepScheduled = false;
            sweep();
        });
    }

    bool bindAndListen(int family, int32_t wanted) {
        int descriptor = ::socket(family, SOCK_STREAM, 0);
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
            lastError = errorCodeFor(errno);
            ::close(descriptor);
            return false;
        }
        getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(family == AF_INET6 ? reinterpret_cast<sockaddr_in6&>(address).sin6_port
                                        : reinterpret_cast<sockaddr_in&>(address).sin_port);
        fd = descriptor;
        makeNonBlocking(fd);
        reserve = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        acceptNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(acceptNotifier.get(), &QSocketNotifier::activated,
                         [this] { acceptWaiting(); });
        return true;
    }

    void listen(int32_t wanted) {
        close();
        lastError = 0;
        if (wanted < 0 || wanted > 65535) {
            lastError = kInvalidState;
        } else if (bindAndListen(AF_INET6, wanted) ||
                   (lastError == 0 && bindAndListen(AF_INET, wanted))) {
            return;
        }
        if (lastError == 0) lastError = kDriverError;
        // Reported after the caller has returned, so an error handler may safely listen again.
        later(context, [this] {
            deliver([this] {
                if (owner.Error) owner.Error();
            });
        });
    }

    void close() {
        acceptNotifier.reset();
        acceptPaused = false;
        for (int* descriptor : {&fd, &reserve}) {
            if (*descriptor >= 0) ::close(*descriptor);
            *descriptor = -1;
        }
    }

    void acceptWaiting() {
        for (int accepted = 0; accepted < kAcceptsPerWakeup; ++accepted) {
            if (countedConnections() >= kMaxConnections) {
                if (!clientWaiting()) return;
                if (!evictOne()) {
                    pauseAccepting();
                    return;
                }
            }
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            int descriptor = ::accept(fd, reinterpret_cast<sockaddr*>(&peer), &length);
            if (descriptor >= 0) {
                adopt(descriptor, addressText(peer));
            } else if (errno == EMFILE || errno == ENFILE) {
                if (!makeRoomForDescriptor()) return;
            } else if (errno != EINTR && errno != ECONNABORTED) {
                return;
            }
        }
    }

    // Out of descriptors: an idle connection gives way; failing that the listener waits for one
    // to end, and with none that could, the newcomer is turned away.
    bool makeRoomForDescriptor() {
        if (evictOne()) return true;
        if (countedConnections() > 0 || reserve < 0) {
            pauseAccepting();
            return false;
        }
        ::close(reserve);
        ::close(::accept(fd, nullptr, nullptr));
        reserve = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        return true;
    }

    bool clientWaiting() const {
        pollfd listener{fd, POLLIN, 0};
        return ::poll(&listener, 1, 0) > 0;
    }

    void pauseAccepting() {
        if (acceptPaused || !acceptNotifier) return;
        acceptPaused = true;
        acceptNotifier->setEnabled(false);
        acceptRetry.start(kAcceptRetryMs);
    }

    void resumeAccepting() {
        if (!acceptPaused || !acceptNotifier) return;
        acceptPaused = false;
        acceptNotifier->setEnabled(true);
    }

    static bool isOpen(const Connection& connection) { return connection.socket->impl_->fd >= 0; }

    size_t countedConnections() const {
        return std::count_if(connections.begin(), connections.end(), [](const auto& entry) {
            return isOpen(entry.second) && !entry.second.exempt;
        });
    }

    bool evictOne() {
        std::vector<EvictionCandidate> candidates;
        for (const auto& [id, connection] : connections) {
            const SocketImpl& impl = *connection.socket->impl_;
            if (isOpen(connection) && !connection.exempt && connection.eventsOnTheWay == 0 &&
                !impl.wrote) {
                candidates.push_back({id, impl.lastHeard, impl.heardAny});
            }
        }
        auto chosen = connectionToEvict(candidates, std::chrono::steady_clock::now());
        if (!chosen) return false;
        connections.at(*chosen).socket->Close();
        return true;
    }

    void adopt(int descriptor, std::string peer) {
        uint64_t id = nextId++;
        auto socket = std::make_unique<TCPSocket>();
        TCPSocket& connection = *socket;
        connections.emplace(id, Connection{std::move(socket)});
        SocketImpl& impl = *connection.impl_;
        impl.remote = std::move(peer);
        impl.connected = true;
        impl.keepOpenForReply = true;
        impl.lastHeard = std::chrono::steady_clock::now();
        impl.deliver = [this, id](std::function<void()> event) {
            ++connections.at(id).eventsOnTheWay;
            deliver([this, id, event = std::move(event)] {
                auto found = connections.find(id);
                if (found == connections.end()) return;
                event();
                --found->second.eventsOnTheWay;
                // The event may have ended its connection or had its request answered: room may
                // have come.
                resumeAccepting();
            });
        };
        impl.attach(descriptor);
        impl.deliver([this, &connection] {
            if (owner.Connected) owner.Connected(connection);
        });
    }

    void exempt(TCPSocket& socket) {
        for (auto& [id, connection] : connections) {
            if (connection.socket.get() == &socket) connection.exempt = true;
        }
        resumeAccepting();
    }

    // Ended connections are dropped after the current event, never under a running handler.
    void sweep() {
        if (delivering) return;
        std::erase_if(connections, [](const auto& entry) { return !isOpen(entry.second); });
    }
};

}  // namespace detail

TCPSocket::TCPSocket() : impl_(std::make_unique<detail::SocketImpl>(*this)) {}
TCPSocket::~TCPSocket() = default;

void TCPSocket::Connect() {
    impl_->connectTo(Address, Port);
}

void TCPSocket::Poll() {
    impl_->poll();
}

bool TCPSocket::IsConnected() const {
    return impl_->connected;
}

std::string TCPSocket::RemoteAddress() const {
    return impl_->remote;
}

int32_t TCPSocket::LastErrorCode() const {
    return impl_->lastError;
}

std::string_view TCPSocket::Lookahead() const {
    return impl_->in;
}

std::string TCPSocket::Read(size_t count) {
    count = std::min(count, impl_->in.size());
    std::string taken = impl_->in.substr(0, count);
    impl_->in.erase(0, count);
    impl_->resumeReading();
    return taken;
}

std::string TCPSocket::ReadAll() {
    impl_->resumeReading();
    return std::exchange(impl_->in, {});
}

void TCPSocket::Write(std::string_view bytes) {
    impl_->write(bytes);
}

void TCPSocket::Disconnect() {
    if (impl_->fd >= 0) ::shutdown(impl_->fd, SHUT_WR);
    impl_->closeDescriptor();
}

void TCPSocket::Close() {
    impl_->in.clear();
    impl_->out.clear();
    impl_->closeDescriptor();
}

ServerSocket::ServerSocket() : impl_(std::make_unique<detail::ServerImpl>(*this)) {}
ServerSocket::~ServerSocket() = default;

void ServerSocket::Listen() {
    impl_->listen(Port);
}

void ServerSocket::Close() {
    impl_->close();
}

bool ServerSocket::IsListening() const {
    return impl_->fd >= 0;
}

int32_t ServerSocket::ListeningPort() const {
    return impl_->fd >= 0 ? impl_->port : 0;
}

int32_t ServerSocket::LastErrorCode() const {
    return impl_->lastError;
}

size_t ServerSocket::ConnectionCount() const {
    impl_->sweep();
    return impl_->connections.size();
}

void ServerSocket::Exempt(TCPSocket& socket) {
    impl_->exempt(socket);
}

}  // namespace platform
