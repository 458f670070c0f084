// The command server's policy over its listener: on loopback, with an echoing listener.
#include "server/connection_policy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "network/tcp.h"
#include "support/echo_server.h"
#include "support/pty_pair.h"

using platform::ServerSocket;
using platform::TCPSocket;
using testsupport::RawClient;
using testsupport::waitUntil;

namespace {

struct PolicedEchoServer : testsupport::EchoServer {
    PolicedEchoServer() { server::applyConnectionPolicy(server); }
};

}  // namespace

TEST(ConnectionPolicy, ClientThatStopsSendingStillGetsItsReply) {
    PolicedEchoServer echo;
    RawClient client(echo.server.ListeningPort());
    client.send("GET /pipe HTTP/1.0\r\n\r\n");
    client.finishSending();
    EXPECT_EQ(client.receiveAll(), "echo:GET /pipe HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(echo.errors.empty());
}

TEST(ConnectionPolicy, ReplyIsKeptForAClientThatStoppedSendingWhileAnotherWasServed) {
    ServerSocket server;
    server::applyConnectionPolicy(server);
    server.Port = 0;
    server.Connected = [&](TCPSocket& socket) {
        socket.DataAvailable = [&socket] {
            if (socket.Lookahead().find("slow") != std::string_view::npos) {
                for (int i = 0; i < 30; ++i) waitUntil([] { return false; }, 3);
            }
            socket.Write("reply to " + socket.ReadAll());
        };
        socket.SendComplete = [&socket](bool) { socket.Disconnect(); };
    };
    server.Listen();
    // Both are sent before the server runs: the piped request and its end arrive while the slow
    // handler is still at work.
    RawClient slow(server.ListeningPort()), piped(server.ListeningPort());
    slow.send("slow");
    piped.send("fast");
    piped.finishSending();
    EXPECT_EQ(piped.receiveAll(), "reply to fast");
    EXPECT_EQ(slow.receiveAll(), "reply to slow");
}

TEST(ConnectionPolicy, ExemptConnectionOutlastsACrowdThatFillsTheServer) {
    PolicedEchoServer echo;
    auto echoing = echo.server.Connected;
    echo.server.Connected = [&](TCPSocket& socket) {
        echoing(socket);
        if (echo.addresses.size() == 1) echo.server.Exempt(socket);
    };
    RawClient stream(echo.server.ListeningPort());
    ASSERT_TRUE(waitUntil([&] { return echo.addresses.size() == 1; }));
    std::vector<std::unique_ptr<RawClient>> crowd;
    for (int i = 0; i < 200; ++i) {
        crowd.push_back(std::make_unique<RawClient>(echo.server.ListeningPort()));
        if (i % 50 == 49) waitUntil([] { return false; }, 5);
    }
    EXPECT_TRUE(waitUntil([&] { return echo.addresses.size() == 201; }));
    EXPECT_EQ(echo.server.ConnectionCount(), 129u);
    stream.send("GET /events HTTP/1.0\r\n\r\n");
    EXPECT_EQ(stream.receiveAll(), "echo:GET /events HTTP/1.0\r\n\r\n");
}

// A connection owed a reply (its handler answers later) is kept while clients heard from since
// fill the server and more wait.
TEST(ConnectionPolicy, ConnectionOwedAReplyOutlastsACrowdHeardFromSince) {
    ServerSocket server;
    server::applyConnectionPolicy(server);
    TCPSocket* owed = nullptr;
    int accepted = 0;
    server.Connected = [&](TCPSocket& socket) {
        socket.DataAvailable = [&socket, &owed, first = ++accepted == 1] {
            socket.ReadAll();
            if (!first) return;
            socket.ReplyLater();
            owed = &socket;
        };
    };
    server.Listen();
    std::vector<std::unique_ptr<RawClient>> clients;
    const auto connect = [&](int count, size_t heard) {
        for (int i = 0; i < count; ++i) {
            clients.push_back(std::make_unique<RawClient>(server.ListeningPort()));
            clients.back()->send("x");
        }
        return waitUntil([&] {
            auto open = server.OpenConnections();
            return accepted == int(clients.size()) &&
                   size_t(std::count_if(open.begin(), open.end(),
                                        [](const auto& c) { return c.heardAny; })) == heard;
        });
    };
    ASSERT_TRUE(connect(1, 1));
    ASSERT_TRUE(connect(127, 128));
    // Two more: each makes one of the others give way.
    ASSERT_TRUE(connect(2, 128));
    auto open = server.OpenConnections();
    EXPECT_TRUE(
        std::any_of(open.begin(), open.end(), [&](const auto& c) { return c.socket == owed; }));
}
