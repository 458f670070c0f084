#include "http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {

namespace {

// Waits up to the time for the descriptor to become readable, checking now and then for the end.
bool readable(int fd, std::chrono::milliseconds time, const std::atomic<bool>& stopping) {
    auto until = std::chrono::steady_clock::now() + time;
    while (!stopping && std::chrono::steady_clock::now() < until) {
        pollfd request{fd, POLLIN, 0};
        if (::poll(&request, 1, 20) > 0) return true;
    }
    return false;
}

void idle(std::chrono::milliseconds time, const std::atomic<bool>& stopping) {
    auto until = std::chrono::steady_clock::now() + time;
    while (!stopping && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string readRequestHead(int connection, const std::atomic<bool>& stopping) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos &&
           readable(connection, std::chrono::seconds(5), stopping)) {
        ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        head.append(buffer, static_cast<size_t>(got));
    }
    return head;
}

}  // namespace

HttpTestServer::HttpTestServer(std::vector<Step> script, bool holdOpen)
    : script_(std::move(script)), holdOpen_(holdOpen) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 8) != 0) {
        throw std::runtime_error("test server cannot listen");
    }
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string HttpTestServer::hostAndPort() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> HttpTestServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void HttpTestServer::serve() {
    while (!stopping_) {
        if (!readable(listener_, std::chrono::milliseconds(50), stopping_)) continue;
        int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        answer(connection);
        ::close(connection);
    }
}

void HttpTestServer::answer(int connection) {
    std::string head = readRequestHead(connection, stopping_);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
    }
    for (const Step& step : script_) {
        if (const auto* bytes = std::get_if<std::string>(&step)) {
            ::send(connection, bytes->data(), bytes->size(), MSG_NOSIGNAL);
        } else {
            idle(std::get<Pause>(step).length, stopping_);
        }
    }
    while (holdOpen_ && !stopping_) idle(std::chrono::milliseconds(50), stopping_);
}

}  // namespace testsupport
