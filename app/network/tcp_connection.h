#pragma once
// One TCP connection behind a TCPSocket: its descriptor, its buffers in and out, and how its
// events reach their handlers. The client side (connecting, name lookup) is in tcp_client.cpp, the
// rest in tcp_socket.cpp.

#include <QObject>
#include <QSocketNotifier>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "network/name_lookup.h"
#include "network/read_bounds.h"
#include "network/tcp.h"

struct addrinfo;

namespace platform::detail {

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
    // Stays up after the peer has stopped sending, for the reply (ServerSocket::AnswerAfterHalfClose).
    bool keepOpenForReply = false;
    bool wrote = false;
    // The handler will answer a request it took (TCPSocket::ReplyLater); a write settles it.
    bool replyOwed = false;
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

    // tcp_socket.cpp: the open connection, on a descriptor made non-blocking and close-on-exec.
    void attach(int descriptor);
    void closeDescriptor();
    void fire(std::function<void()> TCPSocket::*handler);
    void fail(int32_t code);
    void onReadable();
    void announceData();
    void resumeReading();
    void awaitReplyAfterPeerClosed();
    void onWritable();
    void flush();
    void write(std::string_view bytes);

    // tcp_client.cpp: reaching a server, and events without the event loop.
    void connectTo(const std::string& host, int32_t port);
    void startLookup(const std::string& host, int32_t port);
    void finishLookup();
    void connectToAddress(const addrinfo& found);
    void finishConnecting();
    void reportLater(int32_t code);
    void deliverPendingError();
    void poll();
};

}  // namespace platform::detail
