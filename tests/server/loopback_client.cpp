#include "loopback_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "support/loopback.h"
#include "support/pty_pair.h"

namespace testsupport {

LoopbackClient::LoopbackClient(int32_t port, const char* from) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (from) {
        sockaddr_in source = loopbackAddress(0);
        inet_pton(AF_INET, from, &source.sin_addr);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&source), sizeof source);
    }
    sockaddr_in address = loopbackAddress(port);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("no connection to the server under test");
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
}

LoopbackClient::~LoopbackClient() {
    if (fd_ >= 0) ::close(fd_);
}

void LoopbackClient::send(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t put = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (put <= 0) throw std::runtime_error("send to the server under test failed");
        bytes.remove_prefix(static_cast<size_t>(put));
    }
}

void LoopbackClient::finishSending() {
    ::shutdown(fd_, SHUT_WR);
}

void LoopbackClient::drain() {
    char buffer[8192];
    for (;;) {
        ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got > 0) {
            received_.append(buffer, static_cast<size_t>(got));
            continue;
        }
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) closed_ = true;
        return;
    }
}

std::string LoopbackClient::replyUntilClosed(int timeoutMs) {
    waitUntil(
        [this] {
            drain();
            return closed_;
        },
        timeoutMs);
    return received_;
}

std::string LoopbackClient::receivedWithin(int milliseconds) {
    waitUntil(
        [this] {
            drain();
            return false;
        },
        milliseconds);
    return received_;
}

void LoopbackClient::reset() {
    linger abort{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace testsupport
