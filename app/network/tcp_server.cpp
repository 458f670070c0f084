// The listening side: accepting as the server's policy allows, and one event at a time across all
// connections.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <map>
#include <vector>

#include "event_loop/event_queue.h"
#include "event_loop/owned_timer.h"
#include "network/socket_address.h"
#include "network/tcp.h"
#include "network/tcp_connection.h"
#include "network/tcp_listen.h"

namespace platform {

namespace {

// Accepts per wakeup of the listener during a burst: between them the loop reads what the accepted
// clients sent, so a request that arrived behind a burst of silent connects is taken before they
// push it out. Outside a burst one accept a wakeup, so none is made that can only fail: a burst is
// a listener found ready again in the very next turn of the event loop.
constexpr int kAcceptsPerWakeup = 16;
// A listener that had to stop accepting looks again after this long at the latest.
constexpr int kAcceptRetryMs = 1000;

}  // namespace

namespace detail {

struct ServerImpl {
    explicit ServerImpl(ServerSocket& owner) : owner(owner) {
        acceptRetry.setSingleShot(true);
        QObject::connect(&acceptRetry, &QTimer::timeout, [this] { resumeAccepting(); });
        sweepSoon.setSingleShot(true);
        QObject::connect(&sweepSoon, &QTimer::timeout, [this] { sweep(); });
        // Without an event loop yet every wakeup counts as a burst.
        if (auto* loop = QAbstractEventDispatcher::instance()) {
            QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, &context,
                             [this] { ++loopTurns; });
        }
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
    // Turns of the event loop (each ends where it waits), and the one of the last accept.
    uint64_t loopTurns = 0;
    uint64_t lastAcceptTurn = 0;
    QTimer acceptRetry;
    // Held open so that, out of descriptors with nobody to close, a waiting client can still be
    // accepted and turned away instead of being left to hang.
    int reserve = -1;
    std::map<uint64_t, Connection> connections;
    uint64_t nextId = 1;
    EventQueue events;
    // One timer kept for the sweep after events: a timer made and freed per event would wake the
    // loop through its own posted deletion.
    QTimer sweepSoon;

    void deliver(std::function<void()> event) {
        if (events.deliver(std::move(event)) && !sweepSoon.isActive()) sweepSoon.start(0);
    }

    void listen(int32_t wanted) {
        close();
        Listening listening = listenOn(wanted);
        lastError = listening.error;
        if (listening.fd >= 0) {
            fd = listening.fd;
            port = listening.port;
            reserve = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            acceptNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(acceptNotifier.get(), &QSocketNotifier::activated,
                             [this] { acceptWaiting(); });
            return;
        }
        // Reported after the caller has returned, so an error handler may safely listen again.
        callLater(context, 0, [this] {
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
        int limit = loopTurns <= lastAcceptTurn + 1 ? kAcceptsPerWakeup : 1;
        lastAcceptTurn = loopTurns;
        for (int accepted = 0; accepted < limit; ++accepted) {
            if (owner.MayAccept && !owner.MayAccept()) return;
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            int descriptor = ::accept4(fd, reinterpret_cast<sockaddr*>(&peer), &length,
                                       SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (descriptor >= 0) {
                adopt(descriptor, addressText(peer));
            } else if (errno == EMFILE || errno == ENFILE) {
                if (!owner.OutOfDescriptors || !owner.OutOfDescriptors()) {
                    pauseAccepting();
                    return;
                }
            } else if (errno != EINTR && errno != ECONNABORTED) {
                return;
            }
        }
    }

    bool turnAwayWaitingClient() {
        if (reserve < 0) return false;
        ::close(reserve);
        ::close(::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC));
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

    std::vector<AcceptedConnection> openConnections() const {
        std::vector<AcceptedConnection> open;
        for (const auto& [id, connection] : connections) {
            const SocketImpl& impl = *connection.socket->impl_;
            if (!isOpen(connection)) continue;
            open.push_back({connection.socket.get(), impl.lastHeard, impl.heardAny, impl.wrote,
                            connection.eventsOnTheWay > 0 || impl.replyOwed, connection.exempt});
        }
        return open;
    }

    void adopt(int descriptor, std::string peer) {
        uint64_t id = nextId++;
        auto socket = std::make_unique<TCPSocket>();
        TCPSocket& connection = *socket;
        connections.emplace(id, Connection{std::move(socket)});
        SocketImpl& impl = *connection.impl_;
        impl.remote = std::move(peer);
        impl.connected = true;
        impl.keepOpenForReply = owner.AnswerAfterHalfClose;
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
        if (events.delivering()) return;
        std::erase_if(connections, [](const auto& entry) { return !isOpen(entry.second); });
    }
};

}  // namespace detail

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

std::vector<AcceptedConnection> ServerSocket::OpenConnections() const {
    return impl_->openConnections();
}

void ServerSocket::Exempt(TCPSocket& socket) {
    impl_->exempt(socket);
}

bool ServerSocket::ClientWaiting() const {
    return impl_->clientWaiting();
}

void ServerSocket::PauseAccepting() {
    impl_->pauseAccepting();
}

bool ServerSocket::TurnAwayWaitingClient() {
    return impl_->turnAwayWaitingClient();
}

}  // namespace platform
