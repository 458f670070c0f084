#include <gtest/gtest.h>

#include "http_test_server.h"
#include "platform/events.h"
#include "platform/system.h"
#include "platform/text.h"
#include "settings/config.h"
#include "shell/window1.h"
#include "support/loopback.h"

namespace {

using testsupport::HttpTestServer;
namespace Network = platform::System::Network;

class CheckNetwork : public testing::Test {
  protected:
    void SetUp() override {
        if (!Network::IsConnected()) GTEST_SKIP() << "this machine has no network connection";
        window.ServerPort = 8123;
    }
    void TearDown() override {
        Module1::enableWAN = false;
        Module1::wanServiceHost = savedHost;
    }

    // One line per interface: its index, ": " and the text.
    static std::string perInterface(const std::function<std::string(int)>& text) {
        std::string lines;
        for (int i = 0; i < Network::NetworkInterfaceCount(); ++i) {
            lines += platform::Str(i) + ": " + text(i) + "\r\n";
        }
        return lines;
    }

    std::string savedHost = Module1::wanServiceHost;
    Window1 window;
};

TEST_F(CheckNetwork, WithoutWanListsTheInterfacesAndAsksNoService) {
    HttpTestServer service({"HTTP/1.0 200 OK\r\n\r\n203.0.113.7"});
    Module1::wanServiceHost = service.hostAndPort();
    Module1::enableWAN = false;
    window.checkNetwork();
    EXPECT_EQ(window.lblIPaddr.caption(), perInterface(Network::IPAddress));
    EXPECT_EQ(window.lblIPaddr.caption().rfind("0: ", 0), 0u);
    EXPECT_EQ(window.lblHostName.caption(), "");
    EXPECT_EQ(window.lblIPort.caption(), "8123");
    EXPECT_EQ(window.CRLF, "\r\n");
    EXPECT_TRUE(service.requests().empty());
}

TEST_F(CheckNetwork, WithWanAsksTheServiceOncePerInterface) {
    HttpTestServer service({"HTTP/1.0 200 OK\r\n\r\n203.0.113.7 "});
    Module1::wanServiceHost = service.hostAndPort();
    Module1::enableWAN = true;
    window.checkNetwork();
    // The page is shown exactly as it came, trailing space included.
    EXPECT_EQ(window.lblHostName.caption(), perInterface([](int) { return "203.0.113.7 "; }));
    std::vector<std::string> requests = service.requests();
    ASSERT_EQ(static_cast<int>(requests.size()), Network::NetworkInterfaceCount());
    for (const std::string& request : requests)
        EXPECT_EQ(request.rfind("GET /ip.php HTTP/1.0\r\n", 0), 0u);
}

TEST_F(CheckNetwork, ASecondRunReplacesTheListsInsteadOfDoublingThem) {
    HttpTestServer service({"HTTP/1.0 200 OK\r\n\r\n198.51.100.1"});
    Module1::wanServiceHost = service.hostAndPort();
    Module1::enableWAN = true;
    window.checkNetwork();
    std::string addresses = window.lblIPaddr.caption();
    std::string publicAddresses = window.lblHostName.caption();
    window.checkNetwork();
    EXPECT_EQ(window.lblIPaddr.caption(), addresses);
    EXPECT_EQ(window.lblHostName.caption(), publicAddresses);
}

TEST_F(CheckNetwork, ARunAskedForDuringAFetchFollowsInsteadOfInterleaving) {
    HttpTestServer service(
        {HttpTestServer::Pause{std::chrono::milliseconds(200)}, "HTTP/1.0 200 OK\r\n\r\nA"});
    Module1::wanServiceHost = service.hostAndPort();
    Module1::enableWAN = true;
    bool askedAgain = false;
    platform::post([&] {
        askedAgain = true;
        window.checkNetwork();
    });
    window.checkNetwork();
    EXPECT_TRUE(askedAgain);
    EXPECT_EQ(window.lblIPaddr.caption(), perInterface(Network::IPAddress));
    EXPECT_EQ(window.lblHostName.caption(), perInterface([](int) { return "A"; }));
    EXPECT_EQ(static_cast<int>(service.requests().size()), 2 * Network::NetworkInterfaceCount());
}

TEST_F(CheckNetwork, UnreachableServiceLeavesOnlyTheIndexes) {
    Module1::wanServiceHost = "127.0.0.1:" + std::to_string(testsupport::freePort());
    Module1::enableWAN = true;
    window.checkNetwork();
    EXPECT_EQ(window.lblHostName.caption(), perInterface([](int) { return ""; }));
}

}  // namespace
