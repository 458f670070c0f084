// TCP on POSIX sockets, woken by the Qt event loop through socket notifiers: the open connection,
// reading into a bounded buffer and writing without blocking.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "network/socket_error.h"
#include "network/tcp.h"
#include "network/tcp_connection.h"

namespace platform {

namespace detail {

void SocketImpl::attach(int descriptor) {
    fd = descriptor;
    readNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(readNotifier.get(), &QSocketNotifier::activated, [this] { onReadable(); });
    writeNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    writeNotifier->setEnabled(connecting);
    QObject::connect(writeNotifier.get(), &QSocketNotifier::activated, [this] { onWritable(); });
}

void SocketImpl::closeDescriptor() {
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

// The handler is looked up when the event is delivered: an event queued before a new connection's
// handlers were wired still reaches them.
void SocketImpl::fire(std::function<void()> TCPSocket::*handler) {
    deliver([this, handler] {
        if (owner.*handler) (owner.*handler)();
    });
}

void SocketImpl::fail(int32_t code) {
    lastError = code;
    bool wasOpen = fd >= 0;
    closeDescriptor();
    if (wasOpen) fire(&TCPSocket::Error);
}

void SocketImpl::onReadable() {
    if (fd < 0) return;
    if (dataPending || in.size() >= kMaxUnread) {
        readNotifier->setEnabled(false);
        return;
    }
    const ssize_t got = readBounded(fd, in);
    if (got > 0) {
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
        fail(got == 0 ? code(SocketError::disconnected) : code(socketErrorFor(errno)));
    }
}

void SocketImpl::announceData() {
    dataPending = true;
    deliver([this] {
        dataPending = false;
        resumeReading();
        if (owner.DataAvailable) owner.DataAvailable();
    });
}

void SocketImpl::resumeReading() {
    if (readNotifier && !peerClosed) readNotifier->setEnabled(true);
}

// A client may close its sending side right after its request (as a shell pipe does) and still
// wait for the answer: the connection stays up for the reply, and ends when none was written or
// is owed.
void SocketImpl::awaitReplyAfterPeerClosed() {
    peerClosed = true;
    if (readNotifier) readNotifier->setEnabled(false);
    deliver([this] {
        if (fd >= 0 && !wrote && !replyOwed) fail(code(SocketError::disconnected));
    });
}

void SocketImpl::onWritable() {
    if (fd < 0) return;
    if (connecting) {
        finishConnecting();
        if (!connected) return;
    }
    flush();
}

void SocketImpl::flush() {
    bool sending = !out.empty();
    while (!out.empty()) {
        ssize_t put = ::send(fd, out.data(), out.size(), MSG_NOSIGNAL);
        if (put > 0) {
            out.erase(0, static_cast<size_t>(put));
            continue;
        }
        if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        if (put < 0 && errno == EINTR) continue;
        fail(code(socketErrorFor(errno)));
        return;
    }
    if (writeNotifier) writeNotifier->setEnabled(!out.empty());
    if (sending && out.empty()) {
        deliver([this] {
            if (owner.SendComplete) owner.SendComplete(false);
        });
    }
}

void SocketImpl::write(std::string_view bytes) {
    wrote = true;
    replyOwed = false;
    out.append(bytes);
    if (fd >= 0 && !connecting) flush();
}

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

void TCPSocket::ReplyLater() {
    impl_->replyOwed = true;
}

size_t TCPSocket::BytesLeftToSend() const {
    return impl_->out.size();
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

}  // namespace platform
