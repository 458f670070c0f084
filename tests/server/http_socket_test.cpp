#include "server/http_socket.h"

#include <gtest/gtest.h>

#include "http_test_server.h"
#include "platform/events.h"
#include "support/loopback.h"
#include "support/pty_pair.h"

namespace {

using namespace std::chrono_literals;
using testsupport::HttpTestServer;
using Pause = HttpTestServer::Pause;

TEST(HTTPSocket, PathlessUrlAsksForTheRootWithTheWholeHostPart) {
    HttpTestServer server({"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n203.0.113.9"});
    HTTPSocket client;
    EXPECT_EQ(client.Get(server.hostAndPort(), 5), "203.0.113.9");
    EXPECT_EQ(client.ErrorCode(), 0);
    EXPECT_EQ(client.HTTPStatusCode(), 200);
    EXPECT_EQ(client.PageHeaders().value("content-type"), "text/plain");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET / HTTP/1.0\r\nAccept: */*\r\nAccept-Language: en\r\nHost: " +
                  server.hostAndPort() + "\r\n\r\n");
}

TEST(HTTPSocket, SchemeAndPathOfTheUrl) {
    HttpTestServer server({"HTTP/1.0 200 OK\r\n\r\nx"});
    HTTPSocket client;
    EXPECT_EQ(client.Get("http://" + server.hostAndPort() + "/ip.php", 5), "x");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /ip.php HTTP/1.0\r\n", 0), 0u);
}

TEST(HTTPSocket, HeadsWithBareLineEndsAndBodiesKeptAsSent) {
    const std::string body = "line one\r\n\r\nline two\n";
    for (std::string end : {"\n", "\r"}) {
        HttpTestServer server({"HTTP/1.0 200 OK" + end + "Server: t" + end + end + body});
        HTTPSocket client;
        EXPECT_EQ(client.Get(server.hostAndPort(), 5), body);
        EXPECT_EQ(client.HTTPStatusCode(), 200);
        EXPECT_EQ(client.PageHeaders().value("Server"), "t");
    }
}

TEST(HTTPSocket, ErrorPagesAreReturnedAsTheyAre) {
    HttpTestServer server(
        {"HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n\r\nDenied"});
    HTTPSocket client;
    EXPECT_EQ(client.Get(server.hostAndPort(), 5), "Denied");
    EXPECT_EQ(client.HTTPStatusCode(), 401);
    EXPECT_EQ(client.ErrorCode(), 0);
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST(HTTPSocket, SilenceEndsTheFetchWithWhatArrived) {
    HttpTestServer silent({}, /*holdOpen=*/true);
    HTTPSocket client;
    EXPECT_EQ(client.Get(silent.hostAndPort(), 1), "");
    EXPECT_EQ(client.ErrorCode(), -1);

    HttpTestServer stalled({"HTTP/1.0 200 OK\r\n\r\npart"}, /*holdOpen=*/true);
    EXPECT_EQ(client.Get(stalled.hostAndPort(), 1), "part");
    EXPECT_EQ(client.ErrorCode(), -1);
}

TEST(HTTPSocket, TricklingServerIsNeverTimedOut) {
    // Each pause is shorter than the one-second limit, all of them together longer.
    HttpTestServer server({"HTTP/1.0 2", Pause{300ms}, "00 OK\r\n", Pause{300ms}, "\r\n",
                           Pause{300ms}, "a", Pause{300ms}, "b", Pause{300ms}, "c"});
    HTTPSocket client;
    EXPECT_EQ(client.Get(server.hostAndPort(), 1), "abc");
    EXPECT_EQ(client.ErrorCode(), 0);
    EXPECT_EQ(client.HTTPStatusCode(), 200);
}

TEST(HTTPSocket, AnnouncedLengthEndsThePageWithoutWaitingForTheClose) {
    HttpTestServer server({"HTTP/1.0 200 OK\r\nContent-length: 5\r\n\r\nhello"}, /*holdOpen=*/true);
    HTTPSocket client;
    EXPECT_EQ(client.Get(server.hostAndPort(), 2), "hello");
    EXPECT_EQ(client.ErrorCode(), 0);
}

TEST(HTTPSocket, RefusedConnectionGivesNoPageNotTheLastOne) {
    HttpTestServer server({"HTTP/1.0 200 OK\r\n\r\nold page"});
    HTTPSocket client;
    ASSERT_EQ(client.Get(server.hostAndPort(), 5), "old page");
    EXPECT_EQ(client.Get("127.0.0.1:" + std::to_string(testsupport::freePort()), 5), "");
    EXPECT_GT(client.ErrorCode(), 0);
    EXPECT_EQ(client.HTTPStatusCode(), 0);
}

TEST(HTTPSocket, OtherEventsRunDuringTheWaitOnlyWhenYielding) {
    for (bool yielding : {false, true}) {
        HttpTestServer server({Pause{300ms}, "HTTP/1.0 200 OK\r\n\r\nx"});
        bool ran = false;
        platform::post([&ran] { ran = true; });
        HTTPSocket client;
        client.yield = yielding;
        EXPECT_EQ(client.Get(server.hostAndPort(), 5), "x");
        EXPECT_EQ(ran, yielding);
        EXPECT_TRUE(testsupport::waitUntil([&ran] { return ran; }));
    }
}

}  // namespace
