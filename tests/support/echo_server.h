#pragma once
// A plain client and an echoing listener on 127.0.0.1, for the tests of the TCP sockets and of the
// server's policy over them.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "network/tcp.h"
#include "support/pty_pair.h"

namespace testsupport {

// A plain blocking client on 127.0.0.1, as a browser or telnet would connect.
class RawClient {
  public:
    explicit RawClient(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        timeval limit{3, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);  // bounds connect too
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(fd_); }
    bool connected() const { return connected_; }
    bool send(const std::string& bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) > 0;
    }
    // Stops sending, as `printf ... | nc` does after its request, while still reading.
    void finishSending() { ::shutdown(fd_, SHUT_WR); }
    // Everything until the server closes, running the event loop meanwhile.
    std::string receiveAll() {
        std::string data;
        for (int rounds = 0; rounds < 600; ++rounds) {
            waitUntil([] { return false; }, 5);
            char buffer[4096];
            ssize_t got = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got == 0) return data;
            if (got > 0) data.append(buffer, static_cast<size_t>(got));
        }
        return data;
    }

  private:
    int fd_;
    bool connected_;
};

// A listener that answers each connection with "echo:" and what it read up to a blank line.
struct EchoServer {
    platform::ServerSocket server;
    std::vector<std::string> addresses;
    std::vector<int32_t> errors;
    int sendCompletes = 0;

    EchoServer() {
        server.Port = 0;
        server.Connected = [this](platform::TCPSocket& socket) {
            addresses.push_back(socket.RemoteAddress());
            socket.DataAvailable = [&socket] {
                auto buffered = socket.Lookahead();
                size_t end = buffered.find("\r\n\r\n");
                if (end == std::string_view::npos) return;
                socket.Write("echo:" + socket.Read(end + 4));
            };
            socket.SendComplete = [this, &socket](bool) {
                ++sendCompletes;
                socket.Disconnect();
            };
            socket.Error = [this, &socket] { errors.push_back(socket.LastErrorCode()); };
        };
        server.Listen();
    }
};

}  // namespace testsupport
