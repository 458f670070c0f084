#include "support/event_stream_reader.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string_view>

#include "support/loopback.h"

namespace testsupport {

EventStreamReader::EventStreamReader(int32_t port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = loopbackAddress(port);
    constexpr std::string_view request = "GET /events HTTP/1.1\r\nHost: stage\r\n\r\n";
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::send(fd_, request.data(), request.size(), MSG_NOSIGNAL) != ssize_t(request.size())) {
        ended_ = true;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    size_t head;
    while ((head = buffer_.find("\r\n\r\n")) == std::string::npos) {
        if (!receive(deadline)) return;
    }
    buffer_.erase(0, head + 4);
}

EventStreamReader::~EventStreamReader() {
    ::close(fd_);
}

std::optional<StreamEvent> EventStreamReader::next(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::optional<StreamEvent> event;
    while (!(event = takeEvent()) && receive(deadline)) {
    }
    return event;
}

bool EventStreamReader::receive(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd readable{fd_, POLLIN, 0};
    if (ended_ || left.count() <= 0 || ::poll(&readable, 1, int(left.count())) <= 0) return false;
    char chunk[65536];
    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    buffer_.append(chunk, size_t(got));
    return true;
}

std::optional<StreamEvent> EventStreamReader::takeEvent() {
    const size_t end = buffer_.find("\n\n");
    if (end == std::string::npos) return std::nullopt;
    StreamEvent event{{}, buffer_.substr(0, end + 2)};
    buffer_.erase(0, end + 2);
    bytes_ += event.text.size();
    constexpr std::string_view named = "event: ";
    if (event.text.starts_with(named))
        event.name = event.text.substr(named.size(), event.text.find('\n') - named.size());
    return event;
}

}  // namespace testsupport
