#include "network/tcp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "support/echo_server.h"
#include "support/pty_pair.h"

using platform::ServerSocket;
using platform::TCPSocket;
using testsupport::EchoServer;
using testsupport::RawClient;
using testsupport::waitUntil;

TEST(Tcp, ServesOneRequestPerConnectionAndShowsTheDottedAddress) {
    EchoServer echo;
    ASSERT_TRUE(echo.server.IsListening());
    int port = echo.server.ListeningPort();
    ASSERT_GT(port, 0);
    for (int i = 0; i < 3; ++i) {
        RawClient client(port);
        ASSERT_TRUE(client.connected());
        client.send("GET / HTTP/1.0\r\n\r\nleft over");
        EXPECT_EQ(client.receiveAll(), "echo:GET / HTTP/1.0\r\n\r\n");
    }
    EXPECT_EQ(echo.sendCompletes, 3);
    ASSERT_EQ(echo.addresses.size(), 3u);
    EXPECT_EQ(echo.addresses[0], "127.0.0.1");
    EXPECT_TRUE(waitUntil([&] { return echo.server.ConnectionCount() == 0; }));
}

TEST(Tcp, SilentClientDoesNotHoldUpAnother) {
    EchoServer echo;
    RawClient idle(echo.server.ListeningPort());
    idle.send("GET / HT");
    RawClient busy(echo.server.ListeningPort());
    busy.send("GET /x HTTP/1.0\r\n\r\n");
    EXPECT_EQ(busy.receiveAll(), "echo:GET /x HTTP/1.0\r\n\r\n");
    EXPECT_EQ(echo.server.ConnectionCount(), 1u);
}

TEST(Tcp, PeerThatHangsUpIsReportedAsDisconnected) {
    EchoServer echo;
    {
        RawClient client(echo.server.ListeningPort());
        client.send("GET");
        waitUntil([&] { return echo.addresses.size() == 1; });
    }
    EXPECT_TRUE(waitUntil([&] { return !echo.errors.empty(); }));
    EXPECT_EQ(echo.errors, std::vector<int32_t>{102});
}

TEST(Tcp, PortInUseIsReportedAfterListenReturns) {
    EchoServer first;
    ServerSocket second;
    int32_t reported = 0;
    second.Error = [&] { reported = second.LastErrorCode(); };
    second.Port = first.server.ListeningPort();
    second.Listen();
    EXPECT_EQ(reported, 0);  // not from inside Listen
    EXPECT_TRUE(waitUntil([&] { return reported != 0; }));
    EXPECT_EQ(reported, 105);
    EXPECT_FALSE(second.IsListening());
}

TEST(Tcp, EventsOfOneListenerNeverNest) {
    ServerSocket server;
    server.Port = 0;
    int running = 0, maxRunning = 0, handled = 0;
    server.Connected = [&](TCPSocket& socket) {
        socket.DataAvailable = [&] {
            ++running;
            maxRunning = std::max(maxRunning, running);
            // A long handler that lets other events run, as the lexer loop does.
            for (int i = 0; i < 20; ++i) waitUntil([] { return false; }, 2);
            ++handled;
            --running;
        };
    };
    server.Listen();
    RawClient a(server.ListeningPort()), b(server.ListeningPort());
    a.send("x");
    b.send("y");
    EXPECT_TRUE(waitUntil([&] { return handled == 2; }));
    EXPECT_EQ(maxRunning, 1);
}

// While another request is handled at length, a client pouring bytes without a blank line has no
// more buffered than its handler lets stay plus one read.
TEST(Tcp, PouringClientBuffersAtMostOneReadPastWhatItsHandlerKeeps) {
    constexpr size_t headLimit = 8192, oneRead = 16384;
    ServerSocket server;
    server.Port = 0;
    size_t mostBuffered = 0;
    bool slowDone = false;
    std::thread pour;
    std::unique_ptr<RawClient> pouring;
    server.Connected = [&](TCPSocket& socket) {
        socket.DataAvailable = [&] {
            if (socket.Lookahead() == "slow") {
                pour = std::thread([&] {
                    std::string chunk(65536, 'x');
                    for (int i = 0; i < 64 && pouring->send(chunk); ++i) {
                    }
                });
                for (int i = 0; i < 100; ++i) waitUntil([] { return false; }, 3);
                slowDone = true;
                return;
            }
            mostBuffered = std::max(mostBuffered, socket.Lookahead().size());
            if (socket.Lookahead().size() > headLimit) socket.Close();
        };
    };
    server.Listen();
    RawClient slow(server.ListeningPort());
    pouring = std::make_unique<RawClient>(server.ListeningPort());
    slow.send("slow");
    EXPECT_TRUE(waitUntil([&] { return slowDone && mostBuffered > 0; }));
    pour.join();
    EXPECT_GT(mostBuffered, 0u);
    EXPECT_LE(mostBuffered, headLimit + oneRead);
}

// A burst of connects waits in the listener's queue, none of them retried, while nobody accepts.
TEST(Tcp, BurstOfConnectsIsQueuedWhileTheServerIsBusy) {
    EchoServer echo;
    auto started = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<RawClient>> burst;
    for (int i = 0; i < 300; ++i) {
        burst.push_back(std::make_unique<RawClient>(echo.server.ListeningPort()));
        ASSERT_TRUE(burst.back()->connected()) << i;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

// By address, and by a name looked up first (from the hosts file: nothing leaves this machine).
TEST(Tcp, ClientFetchesByPolling) {
    for (const char* host : {"127.0.0.1", "localhost"}) {
        EchoServer echo;
        TCPSocket client;
        bool connected = false, closed = false;
        client.Connected = [&] { connected = true; };
        client.Error = [&] { closed = true; };
        client.Address = host;
        client.Port = echo.server.ListeningPort();
        client.Connect();
        for (int i = 0; i < 400 && !connected; ++i) client.Poll();
        ASSERT_TRUE(connected) << host;
        client.Write("GET / HTTP/1.0\r\n\r\n");
        // The server lives in this process, so its events need the loop between polls.
        for (int i = 0; i < 400 && !closed; ++i) {
            client.Poll();
            waitUntil([] { return false; }, 1);
        }
        EXPECT_TRUE(closed) << host;
        EXPECT_EQ(client.LastErrorCode(), 102);
        EXPECT_EQ(client.ReadAll(), "echo:GET / HTTP/1.0\r\n\r\n");
    }
}

// The event loop alone carries a name lookup through; a socket closed or gone while its name is
// still being looked up hears nothing more of it.
TEST(Tcp, NameLookupRunsBesideTheEventLoopAndCanBeAbandoned) {
    EchoServer echo;
    TCPSocket client;
    int events = 0;
    bool connected = false;
    client.Connected = [&] { connected = true; };
    client.Address = "localhost";
    client.Port = echo.server.ListeningPort();
    client.Connect();
    client.Write("GET /early HTTP/1.0\r\n\r\n");  // before the connection exists: kept
    EXPECT_TRUE(waitUntil([&] { return connected; }));
    EXPECT_TRUE(waitUntil([&] { return client.Lookahead().size() > 0; }));
    EXPECT_EQ(client.ReadAll(), "echo:GET /early HTTP/1.0\r\n\r\n");

    TCPSocket abandoned;
    abandoned.Connected = abandoned.Error = [&] { ++events; };
    abandoned.Address = "localhost";
    abandoned.Port = echo.server.ListeningPort();
    abandoned.Connect();
    abandoned.Close();
    {
        auto dropped = std::make_unique<TCPSocket>();
        dropped->Address = "localhost";
        dropped->Port = echo.server.ListeningPort();
        dropped->Connect();
    }
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(abandoned.IsConnected());
}

TEST(Tcp, ClientToAClosedPortFails) {
    int port;
    {
        EchoServer gone;
        port = gone.server.ListeningPort();
    }
    TCPSocket client;
    bool failed = false;
    client.Error = [&] { failed = true; };
    client.Address = "127.0.0.1";
    client.Port = port;
    client.Connect();
    for (int i = 0; i < 400 && !failed; ++i) client.Poll();
    EXPECT_TRUE(failed);
    EXPECT_EQ(client.LastErrorCode(), 102);
    EXPECT_FALSE(client.IsConnected());
}
