#pragma once
// TCP sockets of the framework. A TCPSocket is one connection, made by Connect or accepted by a
// ServerSocket. Events run on the event thread. LastErrorCode is a SocketError code
// (platform/socket_error.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

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

// Listens on one port and accepts connections as TCPSockets that it owns until they end. At most
// 128 connections, exempt ones aside, are open at a time; when more clients wait, an idle
// connection (silent, or quiet for ten seconds) gives way to the newcomer before one still sending,
// and a connection is never closed once it has written or while its events are being handled.
// Accepting pauses while no connection may give way, and resumes when one can.
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
    // This connection no longer counts against the connection cap and is never chosen to give way;
    // the server still owns it until it ends.
    void Exempt(TCPSocket& socket);

    // A new connection; its own events are wired by the handler.
    std::function<void(TCPSocket&)> Connected;
    std::function<void()> Error;

  private:
    std::unique_ptr<detail::ServerImpl> impl_;
};

}  // namespace platform
