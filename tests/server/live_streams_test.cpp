// Event streams of the live read-back: never buffered without bound for a reader that stops
// reading.
#include "server/live_streams.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "command_server_fixture.h"
#include "server/live_messages.h"
#include "settings/live_setting.h"

namespace {

using LiveStreams = CommandServerTest;

// A client with a tiny receive window that reads the stream's head and nothing more.
int stalledStream(int32_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int window = 4096;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    constexpr std::string_view request = "GET /events HTTP/1.1\r\n\r\n";
    EXPECT_EQ(::send(fd, request.data(), request.size(), 0), ssize_t(request.size()));
    std::string head(server::eventStreamHead.size(), '\0');
    EXPECT_TRUE(testsupport::waitUntil([&] {
        return ::recv(fd, head.data(), head.size(), MSG_DONTWAIT) == ssize_t(head.size());
    }));
    return fd;
}

// Reads what the server sent until it closes the connection; how many bytes that was.
size_t bytesUntilClosed(int fd) {
    size_t total = 0;
    char buffer[65536];
    testsupport::waitUntil([&] {
        ssize_t got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0) total += size_t(got);
        return got == 0;
    });
    return total;
}

TEST_F(LiveStreams, StalledReaderIsDroppedWhileAReadingOneKeepsUp) {
    Module1::liveLevels = true;
    testsupport::LoopbackClient reader(port);
    reader.send("GET /events HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reader.receivedWithin(500), server::eventStreamHead);
    int stalled = stalledStream(port);

    // Far past what the kernel holds for the stalled reader: the server keeps a bounded backlog,
    // then ends that stream, while the reading one gets every event.
    constexpr size_t payload = 32 * 1024, events = 200;
    const std::string event = "data: " + std::string(payload, 'x') + "\n\n";
    for (size_t i = 1; i <= events; ++i) {
        window->eventStreams.broadcast(event);
        if (i % 10 == 0) reader.receivedWithin(2);
    }
    EXPECT_LT(bytesUntilClosed(stalled), events * payload);
    std::string received = reader.receivedWithin(200).substr(server::eventStreamHead.size());
    EXPECT_EQ(size_t(std::count(received.begin(), received.end(), 'x')), events * payload);
    EXPECT_FALSE(reader.closedByServer());
    ::close(stalled);
    Module1::liveLevels = false;
}

// The cap holds a backlog, not an event: a reader sent everything so far takes one bigger than it.
TEST_F(LiveStreams, ReaderThatHasEverythingTakesAnEventBiggerThanTheCap) {
    Module1::liveLevels = true;
    testsupport::LoopbackClient reader(port);
    reader.send("GET /events HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reader.receivedWithin(500), server::eventStreamHead);
    const std::string event = "data: " + std::string(256 * 1024, 'x') + "\n\n";
    window->eventStreams.broadcast(event);
    const std::string whole = std::string(server::eventStreamHead) + event;
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return reader.receivedWithin(10).size() >= whole.size(); }));
    const std::string received = reader.receivedWithin(0);
    EXPECT_EQ(received.size(), whole.size());
    EXPECT_TRUE(received == whole);
    EXPECT_FALSE(reader.closedByServer());
    Module1::liveLevels = false;
}

}  // namespace
