#pragma once
// TCP sockets of the framework. A TCPSocket is one connection, made by Connect or accepted by a
// ServerSocket. Events run on the event thread. LastErrorCode is a SocketError code
// (network/socket_error.h).

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

namespace detail {
struct SocketImpl;
struct ServerImpl;
}  // namespace detail

class TCPSocket {
  public:
    TCPSocket();
    ~TCPSocket();
    TCPSocket(const TCPSocket&) = delete;
    TCPSocket& operator=(const TCPSocket&) = delete;

    // Client side: the host to reach and its port, then Connect; Connected or Error follows.
    std::string Address;
    int32_t Port = 0;
    void Connect();
    // Delivers this socket's pending events, waiting at most a few milliseconds for them.
    void Poll();

    bool IsConnected() const;
    std::string RemoteAddress() const;
    int32_t LastErrorCode() const;

    // The buffered bytes, not consumed.
    std::string_view Lookahead() const;
    // Consumes up to count buffered bytes.
    std::string Read(size_t count);
    std::string ReadAll();
    void Write(std::string_view bytes);
    // An accepted connection's handler answers the request it took after returning: until its
    // next write the connection counts as busy (AcceptedConnection::busy), and it stays up for the
    // reply when the peer stops sending.
    void ReplyLater();
    // Written bytes the network has not yet taken.
    size_t BytesLeftToSend() const;
    // Ends the connection; Close does the same and drops what is buffered.
    void Disconnect();
    void Close();

    std::function<void()> Connected;
    std::function<void()> DataAvailable;
    std::function<void()> Error;
    // All written bytes have gone to the network; the flag tells whether sending was cut short.
    std::function<void(bool aborted)> SendComplete;

  private:
    friend struct detail::ServerImpl;
    std::unique_ptr<detail::SocketImpl> impl_;
};

// One open connection of a listener, as the server's policy sees it.
struct AcceptedConnection {
    TCPSocket* socket;
    // When its last bytes arrived, or when it was accepted if none have.
    std::chrono::steady_clock::time_point lastHeard;
    bool heardAny;
    // It has written: a request of it is being answered.
    bool wrote;
    // Events of it are queued or running, or it is owed a reply (TCPSocket::ReplyLater): its
    // handler may be holding a request it has taken.
    bool busy;
    bool exempt;
};

// Listens on one port and accepts connections as TCPSockets that it owns until they end. The events
// of all its connections run one at a time. How many it takes, and which give way, is the server's
// policy (server/connection_policy.h): the listener asks it and offers the means.
class ServerSocket {
  public:
    ServerSocket();
    ~ServerSocket();
    ServerSocket(const ServerSocket&) = delete;
    ServerSocket& operator=(const ServerSocket&) = delete;

    int32_t Port = 0;
    // Listens on Port on every address. On failure the Error event reports the code.
    void Listen();
    void Close();
    bool IsListening() const;
    int32_t ListeningPort() const;
    int32_t LastErrorCode() const;
    // Open connections, exempt ones included.
    size_t ConnectionCount() const;
    std::vector<AcceptedConnection> OpenConnections() const;
    // Marks the connection as outside the server's policy (AcceptedConnection::exempt); the server
    // still owns it until it ends.
    void Exempt(TCPSocket& socket);

    // Accepted connections stay up after their peer stops sending, for the reply; one that wrote
    // nothing ends then.
    bool AnswerAfterHalfClose = false;
    // Asked before each accept: false leaves the waiting clients queued. None accepts them all.
    std::function<bool()> MayAccept;
    // Asked when the system has no descriptor left for the next client: true when room was made.
    // None waits, as PauseAccepting.
    std::function<bool()> OutOfDescriptors;
    // A client waits in the listen queue.
    bool ClientWaiting() const;
    // Stops accepting until an event of a connection has run, one is exempted, or a second passed.
    void PauseAccepting();
    // Accepts the next waiting client on the descriptor held back for this and closes it at once,
    // so that it is turned away instead of left to hang. False when none is held back.
    bool TurnAwayWaitingClient();

    // A new connection; its own events are wired by the handler.
    std::function<void(TCPSocket&)> Connected;
    std::function<void()> Error;

  private:
    std::unique_ptr<detail::ServerImpl> impl_;
};

}  // namespace platform
